#pragma once
// A collection of the object model that reads its elements from a MAPI
// table every time it is asked (recipients, attachments), so that it never
// shows a stale list:
//
//     return CountTableRows([this](LPSRowSet* rows) { return ReadRows(rows); }, count);

#include "mapi/MapiTypes.h"

#include "com/Variant.h"

#include <functional>
#include <string>

namespace pollenta::outlook {

using TableReader = std::function<HRESULT(LPSRowSet* rows)>;

HRESULT CountTableRows(const TableReader& read, LONG* count);
// Item(index): the row that index names (a 1-based number or a name) is
// handed to make, which creates the element.
HRESULT ItemOfTableRows(const TableReader& read, const VARIANT& index,
                        const std::function<std::string(const SRow&)>& nameOf,
                        const std::function<HRESULT(const SRow&)>& make);

}  // namespace pollenta::outlook
