#include "PropArrays.h"

#include "mapi/MapiUtil.h"

#include <cstring>

namespace pollenta::mapi {

HRESULT CPropArrays::Values(const std::vector<CPropValue>& values, ULONG* count, LPSPropValue* out)
{
    *out = nullptr;
    LPSPropValue array = nullptr;
    std::size_t n = values.empty() ? 1 : values.size();
    if (HRESULT hr = MAPIAllocateBuffer(static_cast<ULONG>(n * sizeof(SPropValue)), reinterpret_cast<LPVOID*>(&array));
        FAILED(hr))
        return hr;
    for (std::size_t i = 0; i < values.size(); ++i) {
        if (HRESULT hr = values[i].ToSPropValue(array[i], array); FAILED(hr)) {
            MAPIFreeBuffer(array);
            return hr;
        }
    }
    if (count) *count = static_cast<ULONG>(values.size());
    *out = array;
    return S_OK;
}

HRESULT CPropArrays::Tags(const std::vector<ULONG>& tags, LPSPropTagArray* out)
{
    *out = nullptr;
    LPSPropTagArray array = nullptr;
    if (HRESULT hr = MAPIAllocateBuffer(static_cast<ULONG>(CbNewSPropTagArray(tags.size() + 1)),
                                        reinterpret_cast<LPVOID*>(&array));
        FAILED(hr))
        return hr;
    array->cValues = static_cast<ULONG>(tags.size());
    for (std::size_t i = 0; i < tags.size(); ++i) array->aulPropTag[i] = tags[i];
    *out = array;
    return S_OK;
}

HRESULT CPropArrays::Problems(const std::vector<SPropProblem>& problems, LPSPropProblemArray* out)
{
    *out = nullptr;
    LPSPropProblemArray array = nullptr;
    std::size_t size = offsetof(SPropProblemArray, aProblem) + (problems.size() + 1) * sizeof(SPropProblem);
    if (HRESULT hr = MAPIAllocateBuffer(static_cast<ULONG>(size), reinterpret_cast<LPVOID*>(&array)); FAILED(hr))
        return hr;
    array->cProblem = static_cast<ULONG>(problems.size());
    for (std::size_t i = 0; i < problems.size(); ++i) array->aProblem[i] = problems[i];
    *out = array;
    return S_OK;
}

HRESULT CPropArrays::Rows(const std::vector<std::vector<CPropValue>>& rows, LPSRowSet* out)
{
    *out = nullptr;
    LPSRowSet set = nullptr;
    if (HRESULT hr = MAPIAllocateBuffer(static_cast<ULONG>(CbNewSRowSet(rows.size() + 1)), reinterpret_cast<LPVOID*>(&set));
        FAILED(hr))
        return hr;
    std::memset(set, 0, CbNewSRowSet(rows.size() + 1));
    for (std::size_t i = 0; i < rows.size(); ++i) {
        if (HRESULT hr = Values(rows[i], &set->aRow[i].cValues, &set->aRow[i].lpProps); FAILED(hr)) {
            set->cRows = static_cast<ULONG>(i);
            FreeProws(set);
            return hr;
        }
    }
    set->cRows = static_cast<ULONG>(rows.size());
    *out = set;
    return S_OK;
}

std::vector<ULONG> CPropArrays::TagList(const SPropTagArray* tags)
{
    std::vector<ULONG> list;
    if (tags) list.assign(tags->aulPropTag, tags->aulPropTag + tags->cValues);
    return list;
}

}  // namespace pollenta::mapi
