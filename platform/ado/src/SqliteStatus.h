#pragma once
// What an SQLite failure means to the ADO objects.

#include "ado/AdoEnums.h"

namespace pollenta::ado {

// The record status bit of a failed save (adRecIntegrityViolation, ...), or
// 0 when the failure has none.
LONG RecordStatusOf(int sqliteCode);
// The HRESULT that reports an SQLite failure.
HRESULT HresultOf(int sqliteCode);

}  // namespace pollenta::ado
