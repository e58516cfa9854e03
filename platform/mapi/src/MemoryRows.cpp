#include "MemoryRows.h"

#include "mapi/MapiFlags.h"

#include <algorithm>

namespace pollenta::mapi {

CMemoryRows::CMemoryRows(std::vector<CPropMap> rows, std::vector<ULONG> columns)
    : m_rows(std::move(rows)), m_columns(std::move(columns))
{
    Rebuild();
}

void CMemoryRows::Restrict(std::optional<CRestriction> restriction)
{
    m_restriction = std::move(restriction);
    Rebuild();
}

void CMemoryRows::Sort(std::vector<SSortOrder> order)
{
    m_order = std::move(order);
    Rebuild();
}

CPropValue CMemoryRows::Column(const CPropMap& row, ULONG tag)
{
    auto it = row.find(PROP_ID(tag));
    CPropValue value;
    if (it == row.end()) return CPropValue::Error(tag, MAPI_E_NOT_FOUND);
    if (!it->second.As(PROP_TYPE(tag), value)) return CPropValue::Error(tag, MAPI_E_INVALID_TYPE);
    return value;
}

void CMemoryRows::Rebuild()
{
    m_view.clear();
    for (std::size_t i = 0; i < m_rows.size(); ++i) {
        const CPropMap& row = m_rows[i];
        auto lookup = [&row](ULONG propId, CPropValue& value) {
            auto it = row.find(propId);
            if (it == row.end()) return false;
            value = it->second;
            return true;
        };
        if (!m_restriction || m_restriction->Matches(lookup)) m_view.push_back(i);
    }
    if (m_order.empty()) return;
    std::stable_sort(m_view.begin(), m_view.end(), [this](std::size_t a, std::size_t b) {
        for (const SSortOrder& key : m_order) {
            auto ia = m_rows[a].find(PROP_ID(key.ulPropTag));
            auto ib = m_rows[b].find(PROP_ID(key.ulPropTag));
            bool hasA = ia != m_rows[a].end();
            bool hasB = ib != m_rows[b].end();
            // Rows without the value come first, as SQL orders NULLs.
            int order = hasA && hasB ? ia->second.Compare(ib->second) : (hasA ? 1 : (hasB ? -1 : 0));
            if (key.ulOrder == TABLE_SORT_DESCEND) order = -order;
            if (order) return order < 0;
        }
        return false;
    });
}

std::vector<std::vector<CPropValue>> CMemoryRows::Fetch(ULONG start, ULONG n, const std::vector<ULONG>& columns)
{
    std::vector<std::vector<CPropValue>> rows;
    for (ULONG i = start; i < m_view.size() && rows.size() < n; ++i) {
        std::vector<CPropValue> row;
        for (ULONG tag : columns) row.push_back(Column(m_rows[m_view[i]], tag));
        rows.push_back(std::move(row));
    }
    return rows;
}

}  // namespace pollenta::mapi
