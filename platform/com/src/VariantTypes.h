#pragma once
// What the variant code needs to know about each element type.

#include "com/Variant.h"

#include <cstddef>

namespace pollenta::com {

// The size of one value of `vt` (no flags), 0 for a type that a VARIANT or
// an array cannot hold by value.
size_t ValueSize(VARTYPE vt);
// True for a type (with VT_BYREF or VT_ARRAY allowed) that a VARIANT may hold.
bool IsValidVariantType(VARTYPE vt);
// A shallow copy of the value a by-reference variant points to: no strings
// copied, no references added. False for a type that cannot be followed.
bool ShallowDereference(const VARIANT& source, VARIANT& value);

}  // namespace pollenta::com
