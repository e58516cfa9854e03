#include "MapiTable.h"

#include "PropArrays.h"
#include "mapi/MapiFlags.h"

namespace pollenta::mapi {

CMapiTable::CMapiTable(std::unique_ptr<CRowSource> rows)
    : TMapiObject<IMAPITable>({IID_IMAPITable}), m_rows(std::move(rows)), m_columns(m_rows->DefaultColumns())
{
}

HRESULT CMapiTable::GetLastError(HRESULT hr, ULONG flags, LPMAPIERROR* error) { return m_lastError.Get(hr, flags, error); }

HRESULT CMapiTable::SetColumns(LPSPropTagArray tags, ULONG)
{
    if (!tags || tags->cValues == 0) return MAPI_E_INVALID_PARAMETER;
    m_columns = CPropArrays::TagList(tags);
    return S_OK;
}

HRESULT CMapiTable::QueryColumns(ULONG, LPSPropTagArray* tags)
{
    if (!tags) return MAPI_E_INVALID_PARAMETER;
    return CPropArrays::Tags(m_columns, tags);
}

HRESULT CMapiTable::GetRowCount(ULONG, ULONG* count)
{
    if (!count) return MAPI_E_INVALID_PARAMETER;
    *count = 0;
    return Guard([&] {
        *count = m_rows->Count();
        return S_OK;
    });
}

HRESULT CMapiTable::SeekRow(BOOKMARK origin, LONG rowCount, LONG* sought)
{
    if (sought) *sought = 0;
    return Guard([&] {
        LONGLONG count = m_rows->Count();
        LONGLONG base = 0;
        switch (origin) {
        case BOOKMARK_BEGINNING: base = 0; break;
        case BOOKMARK_CURRENT: base = m_position; break;
        case BOOKMARK_END: base = count; break;
        default: return MAPI_E_INVALID_BOOKMARK;
        }
        LONGLONG target = std::clamp<LONGLONG>(base + rowCount, 0, count);
        if (sought) *sought = static_cast<LONG>(target - base);
        m_position = static_cast<ULONG>(target);
        return S_OK;
    });
}

HRESULT CMapiTable::QueryPosition(ULONG* row, ULONG* numerator, ULONG* denominator)
{
    if (!row || !numerator || !denominator) return MAPI_E_INVALID_PARAMETER;
    return Guard([&] {
        *row = m_position;
        *numerator = m_position;
        *denominator = std::max<ULONG>(m_rows->Count(), 1);
        return S_OK;
    });
}

HRESULT CMapiTable::Restrict(LPSRestriction restriction, ULONG)
{
    return Guard([&] {
        m_rows->Restrict(restriction ? std::optional<CRestriction>(CRestriction::Copy(*restriction)) : std::nullopt);
        m_position = 0;
        return S_OK;
    });
}

HRESULT CMapiTable::SortTable(LPSSortOrderSet order, ULONG)
{
    if (!order) return MAPI_E_INVALID_PARAMETER;
    return Guard([&] {
        if (order->cCategories) throw CMapiError(MAPI_E_TOO_COMPLEX, "Categorised tables are not supported");
        m_rows->Sort(std::vector<SSortOrder>(order->aSort, order->aSort + order->cSorts));
        m_position = 0;
        return S_OK;
    });
}

HRESULT CMapiTable::QueryRows(LONG rowCount, ULONG flags, LPSRowSet* rows)
{
    if (!rows) return MAPI_E_INVALID_PARAMETER;
    *rows = nullptr;
    return Guard([&] {
        // A negative count reads backwards from the cursor.
        ULONG start = m_position;
        ULONG n = static_cast<ULONG>(rowCount < 0 ? -static_cast<LONGLONG>(rowCount) : rowCount);
        if (rowCount < 0) {
            n = std::min(n, m_position);
            start = m_position - n;
        }
        auto fetched = m_rows->Fetch(start, n, m_columns);
        if (!(flags & TBL_NOADVANCE))
            m_position = rowCount < 0 ? start : start + static_cast<ULONG>(fetched.size());
        return CPropArrays::Rows(fetched, rows);
    });
}

}  // namespace pollenta::mapi
