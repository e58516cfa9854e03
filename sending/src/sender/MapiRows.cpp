#include "MapiRows.h"

std::string BinaryProp(IMAPIProp* object, ULONG tag)
{
    LPSPropValue value = nullptr;
    std::string bytes;
    if (SUCCEEDED(HrGetOneProp(object, tag, &value)) && value && PROP_TYPE(value->ulPropTag) == PT_BINARY)
        bytes.assign(reinterpret_cast<const char*>(value->Value.bin.lpb), value->Value.bin.cb);
    MAPIFreeBuffer(value);
    return bytes;
}

HRESULT QueryRowsWhere(IMAPITable* table, LPSPropTagArray columns, SPropValue equals, RowsPtr& rows)
{
    SRestriction restriction{};
    restriction.rt = RES_PROPERTY;
    restriction.res.resProperty.relop = RELOP_EQ;
    restriction.res.resProperty.ulPropTag = equals.ulPropTag;
    restriction.res.resProperty.lpProp = &equals;
    LPSRowSet found = nullptr;
    const HRESULT hr = HrQueryAllRows(table, columns, &restriction, nullptr, 0, &found);
    rows.reset(found);
    return hr;
}
