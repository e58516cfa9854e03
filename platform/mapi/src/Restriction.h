#pragma once
// A restriction copied out of the caller's SRestriction, evaluated against
// rows in memory or written as an SQL condition over the store's tables.

#include "PropValue.h"

#include <functional>
#include <string>
#include <vector>

namespace pollenta::mapi {

class CRestriction {
public:
    // Throws CMapiError(MAPI_E_TOO_COMPLEX) for kinds the layer does not
    // evaluate and MAPI_E_INVALID_PARAMETER for malformed ones.
    static CRestriction Copy(const SRestriction& restriction);

    using Lookup = std::function<bool(ULONG propId, CPropValue& value)>;
    bool Matches(const Lookup& lookup) const;

    // A condition on the object `o.id`; parameters to bind in order.
    std::string ToSql(std::vector<CPropValue>& params) const;

private:
    bool Compare(const CPropValue& actual) const;

    ULONG m_kind = 0;
    ULONG m_relop = 0;
    ULONG m_tag = 0;
    ULONG m_fuzzy = 0;
    ULONG m_mask = 0;
    CPropValue m_value;
    std::vector<CRestriction> m_children;
};

}  // namespace pollenta::mapi
