#pragma once
// The children of a folder in a store file: restriction and sort order run
// as SQL, and only the window of rows asked for is read, with only the
// properties of the columns asked for, in one query, so a large folder is
// never loaded whole nor read one child at a time.

#include "RowSource.h"
#include "StoreFile.h"

#include <functional>

namespace pollenta::mapi {

class CStoreRows : public CRowSource {
public:
    // `computed` gives the properties of one child that are worked out
    // rather than stored; they win over stored ones.
    using ComputedProps = std::function<CPropMap(LONGLONG id)>;
    CStoreRows(std::shared_ptr<CStoreFile> store, LONGLONG parent, ULONG type, std::vector<ULONG> columns,
               ComputedProps computed);

    void Restrict(std::optional<CRestriction> restriction) override;
    void Sort(std::vector<SSortOrder> order) override;
    ULONG Count() override;
    std::vector<std::vector<CPropValue>> Fetch(ULONG start, ULONG n, const std::vector<ULONG>& columns) override;
    std::vector<ULONG> DefaultColumns() override { return m_columns; }

private:
    std::string Where(std::vector<CPropValue>& params) const;
    void BindAll(CSqlStatement& stmt, const std::vector<CPropValue>& params) const;

    std::shared_ptr<CStoreFile> m_store;
    LONGLONG m_parent;
    ULONG m_type;
    std::vector<ULONG> m_columns;
    ComputedProps m_computed;
    std::optional<CRestriction> m_restriction;
    std::vector<SSortOrder> m_order;
};

}  // namespace pollenta::mapi
