#include "message/EntryIdColumn.h"

#include "mapi/PropTags.h"

HRESULT SetEntryIdColumn(IMAPITable* table, CWELog& log, const char* call)
{
    SizedSPropTagArray(1, columns) = {1, {PR_ENTRYID}};
    const HRESULT hr = table->SetColumns(reinterpret_cast<LPSPropTagArray>(&columns), 0);
    log.LogMapiCall(call, hr, table);
    return hr;
}
