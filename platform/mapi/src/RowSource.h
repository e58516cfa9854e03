#pragma once
// Where a table's rows come from: a restriction and a sort order narrow
// and order them; rows are fetched a window at a time.

#include "PropValue.h"
#include "Restriction.h"

#include <memory>
#include <optional>
#include <vector>

namespace pollenta::mapi {

class CRowSource {
public:
    virtual ~CRowSource() = default;
    virtual void Restrict(std::optional<CRestriction> restriction) = 0;
    virtual void Sort(std::vector<SSortOrder> order) = 0;
    virtual ULONG Count() = 0;
    // Rows [start, start + n) with the columns asked; missing values come
    // back as PT_ERROR.
    virtual std::vector<std::vector<CPropValue>> Fetch(ULONG start, ULONG n, const std::vector<ULONG>& columns) = 0;
    // The columns a new table shows.
    virtual std::vector<ULONG> DefaultColumns() = 0;
};

}  // namespace pollenta::mapi
