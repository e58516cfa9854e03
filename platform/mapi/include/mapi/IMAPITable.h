#pragma once
// A table of rows: columns, restriction, sort order and a cursor.

#include "com/Unknown.h"
#include "mapi/MapiGuids.h"

struct IMAPITable : IUnknown {
    STDMETHOD(GetLastError)(HRESULT hResult, ULONG ulFlags, LPMAPIERROR* lppMAPIError) PURE;
    STDMETHOD(SetColumns)(LPSPropTagArray lpPropTagArray, ULONG ulFlags) PURE;
    STDMETHOD(QueryColumns)(ULONG ulFlags, LPSPropTagArray* lpPropTagArray) PURE;
    STDMETHOD(GetRowCount)(ULONG ulFlags, ULONG* lpulCount) PURE;
    STDMETHOD(SeekRow)(BOOKMARK bkOrigin, LONG lRowCount, LONG* lplRowsSought) PURE;
    STDMETHOD(QueryPosition)(ULONG* lpulRow, ULONG* lpulNumerator, ULONG* lpulDenominator) PURE;
    STDMETHOD(Restrict)(LPSRestriction lpRestriction, ULONG ulFlags) PURE;
    STDMETHOD(SortTable)(LPSSortOrderSet lpSortCriteria, ULONG ulFlags) PURE;
    STDMETHOD(QueryRows)(LONG lRowCount, ULONG ulFlags, LPSRowSet* lppRows) PURE;

protected:
    ~IMAPITable() = default;
};
using LPMAPITABLE = IMAPITable*;
POLLENTA_INTERFACE_IID(IMAPITable, IID_IMAPITable);
