#include "FindRowProp.h"

LPSPropValue FindRowProp(ULONG count, LPSPropValue values, ULONG tag)
{
    for (ULONG i = 0; values && i < count; ++i)
        if (values[i].ulPropTag == tag)
            return &values[i];
    return nullptr;
}

const char* RowText(ULONG count, LPSPropValue values, ULONG tag)
{
    LPSPropValue value = FindRowProp(count, values, tag);
    return value && value->Value.lpszA ? value->Value.lpszA : "";
}
