#pragma once
// The 0-based position a collection's Item(index) names: a 1-based number,
// or a text matched against each element's name without regard to case.
// DISP_E_BADINDEX when the index names no element.

#include "com/Variant.h"

#include <functional>
#include <string>

namespace pollenta::outlook {

HRESULT CollectionIndex(const VARIANT& index, std::size_t count, const std::function<std::string(std::size_t)>& nameAt,
                        std::size_t& position);

// True when the optional argument was left out (VT_EMPTY, VT_ERROR).
bool IsLeftOut(const VARIANT& argument);

}  // namespace pollenta::outlook
