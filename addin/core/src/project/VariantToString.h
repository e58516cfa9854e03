#pragma once
// A VARIANT's value as ANSI text, converted as VariantChangeType converts
// to VT_BSTR (a number becomes its decimal text). A value that cannot be
// converted is thrown as the conversion's HRESULT.

#include "com/Variant.h"

#include <string>

void VariantToString(std::string& text, const VARIANT& value);
