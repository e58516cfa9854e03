#pragma once
// Rows held in memory, for the small tables: recipients, attachments,
// stores, status, list members.

#include "RowSource.h"

namespace pollenta::mapi {

class CMemoryRows : public CRowSource {
public:
    CMemoryRows(std::vector<CPropMap> rows, std::vector<ULONG> columns);

    void Restrict(std::optional<CRestriction> restriction) override;
    void Sort(std::vector<SSortOrder> order) override;
    ULONG Count() override { return static_cast<ULONG>(m_view.size()); }
    std::vector<std::vector<CPropValue>> Fetch(ULONG start, ULONG n, const std::vector<ULONG>& columns) override;
    std::vector<ULONG> DefaultColumns() override { return m_columns; }

    // The value of a column of a row as the table shows it.
    static CPropValue Column(const CPropMap& row, ULONG tag);

private:
    void Rebuild();

    std::vector<CPropMap> m_rows;
    std::vector<ULONG> m_columns;
    std::optional<CRestriction> m_restriction;
    std::vector<SSortOrder> m_order;
    std::vector<std::size_t> m_view;
};

}  // namespace pollenta::mapi
