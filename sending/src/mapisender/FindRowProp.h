#pragma once
// The first value of a recipient row with exactly this property tag.

#include "mapi/MapiTypes.h"

LPSPropValue FindRowProp(ULONG count, LPSPropValue values, ULONG tag);
inline LPSPropValue FindRowProp(const SRow& row, ULONG tag) { return FindRowProp(row.cValues, row.lpProps, tag); }
inline LPSPropValue FindRowProp(const ADRENTRY& entry, ULONG tag)
{
    return FindRowProp(entry.cValues, entry.rgPropVals, tag);
}
// A row's text property, or "" when it has none.
const char* RowText(ULONG count, LPSPropValue values, ULONG tag);
