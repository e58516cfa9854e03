#pragma once
// A table narrowed to the one column PR_ENTRYID, as the detectors read
// stores and messages.

#include "log/CWELog.h"

#include "mapi/IMAPITable.h"

// The failure is logged under `call`.
HRESULT SetEntryIdColumn(IMAPITable* table, CWELog& log, const char* call);
