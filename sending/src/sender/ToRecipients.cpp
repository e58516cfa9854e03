#include "ToRecipients.h"

#include "MapiRows.h"

#include "com/ComPtr.h"
#include "mapi/IMAPITable.h"

#include <vector>

ToRemoval RemoveToRecipients(IMessage* message, std::size_t keep)
{
    ToRemoval result;
    CComPtr<IMAPITable> table;
    if (FAILED(result.hr = message->GetRecipientTable(0, &table)))
        return {result.hr, "Code 017", message};
    SizedSPropTagArray(2, columns) = {2, {PR_ROWID, PR_RECIPIENT_TYPE}};
    ULONG count = 0;
    LPSRowSet raw = nullptr;
    if (FAILED(result.hr = table->SetColumns(reinterpret_cast<LPSPropTagArray>(&columns), 0)))
        return {result.hr, "Code 018", message};
    if (FAILED(result.hr = table->GetRowCount(0, &count)))
        return {result.hr, "Code 019", message};
    if (count > 0 && FAILED(result.hr = table->QueryRows(static_cast<LONG>(count), 0, &raw)))
        return {result.hr, "Code 020", message};
    RowsPtr rows(raw);
    if (!rows || rows->cRows == 0)
        return {E_FAIL, "Code 026", nullptr};
    std::vector<ADRENTRY> toRows;
    for (ULONG i = 0; i < rows->cRows; ++i) {
        const SRow& row = rows->aRow[i];
        if (row.cValues >= 2 && row.lpProps[1].ulPropTag == PR_RECIPIENT_TYPE &&
            row.lpProps[1].Value.l == static_cast<LONG>(MAPI_TO))
            toRows.push_back(ADRENTRY{0, 1, row.lpProps});
    }
    if (toRows.empty())
        return {E_FAIL, "Code 027", nullptr};
    if (toRows.size() <= keep)
        return result;
    std::vector<BYTE> listBytes(CbNewADRLIST(toRows.size() - keep));
    LPADRLIST list = reinterpret_cast<LPADRLIST>(listBytes.data());
    list->cEntries = static_cast<ULONG>(toRows.size() - keep);
    std::copy(toRows.begin() + static_cast<std::ptrdiff_t>(keep), toRows.end(), list->aEntries);
    if (FAILED(result.hr = message->ModifyRecipients(MODRECIP_REMOVE, list)))
        return {result.hr, "Code 021", message};
    return result;
}
