#pragma once
// IMAPITable over a row source: columns, a cursor, restriction and sort.

#include "MapiObject.h"
#include "RowSource.h"
#include "mapi/IMAPITable.h"

namespace pollenta::mapi {

class CMapiTable : public TMapiObject<IMAPITable> {
public:
    explicit CMapiTable(std::unique_ptr<CRowSource> rows);

    HRESULT GetLastError(HRESULT hr, ULONG flags, LPMAPIERROR* error) override;
    HRESULT SetColumns(LPSPropTagArray tags, ULONG flags) override;
    HRESULT QueryColumns(ULONG flags, LPSPropTagArray* tags) override;
    HRESULT GetRowCount(ULONG flags, ULONG* count) override;
    HRESULT SeekRow(BOOKMARK origin, LONG rowCount, LONG* sought) override;
    HRESULT QueryPosition(ULONG* row, ULONG* numerator, ULONG* denominator) override;
    HRESULT Restrict(LPSRestriction restriction, ULONG flags) override;
    HRESULT SortTable(LPSSortOrderSet order, ULONG flags) override;
    HRESULT QueryRows(LONG rowCount, ULONG flags, LPSRowSet* rows) override;

private:
    std::unique_ptr<CRowSource> m_rows;
    std::vector<ULONG> m_columns;
    ULONG m_position = 0;
};

}  // namespace pollenta::mapi
