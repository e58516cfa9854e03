#include "TableCollection.h"

#include "CollectionIndex.h"

#include "mapi/MapiUtil.h"

namespace pollenta::outlook {

HRESULT CountTableRows(const TableReader& read, LONG* count)
{
    if (!count)
        return E_POINTER;
    LPSRowSet rows = nullptr;
    if (HRESULT hr = read(&rows); FAILED(hr))
        return hr;
    *count = static_cast<LONG>(rows->cRows);
    FreeProws(rows);
    return S_OK;
}

HRESULT ItemOfTableRows(const TableReader& read, const VARIANT& index,
                        const std::function<std::string(const SRow&)>& nameOf,
                        const std::function<HRESULT(const SRow&)>& make)
{
    LPSRowSet rows = nullptr;
    if (HRESULT hr = read(&rows); FAILED(hr))
        return hr;
    std::size_t position = 0;
    HRESULT hr = CollectionIndex(
        index, rows->cRows, [&](std::size_t i) { return nameOf(rows->aRow[i]); }, position);
    if (SUCCEEDED(hr))
        hr = make(rows->aRow[position]);
    FreeProws(rows);
    return hr;
}

}  // namespace pollenta::outlook
