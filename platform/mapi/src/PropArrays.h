#pragma once
// Arrays handed to callers in MAPI memory: property values, tags, problems,
// rows.

#include "PropValue.h"

#include <vector>

namespace pollenta::mapi {

class CPropArrays {
public:
    // One block with the values; strings and arrays hang on it.
    static HRESULT Values(const std::vector<CPropValue>& values, ULONG* count, LPSPropValue* out);
    static HRESULT Tags(const std::vector<ULONG>& tags, LPSPropTagArray* out);
    static HRESULT Problems(const std::vector<SPropProblem>& problems, LPSPropProblemArray* out);
    // Each row's values are a block of their own, as FreeProws expects.
    static HRESULT Rows(const std::vector<std::vector<CPropValue>>& rows, LPSRowSet* out);
    static std::vector<ULONG> TagList(const SPropTagArray* tags);
};

}  // namespace pollenta::mapi
