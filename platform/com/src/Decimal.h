#pragma once
// DECIMAL values to and from the other number forms.

#include "com/Variant.h"

#include <cstdint>
#include <string>

namespace pollenta::com {

// False when the text is no number; `overflow` tells one that does not fit
// 96 bits at any scale.
bool DecimalFromText(const std::string& text, DECIMAL& value, bool& overflow);
void DecimalFromInteger(std::int64_t value, DECIMAL& out);
void DecimalFromUnsigned(std::uint64_t value, DECIMAL& out);
// False for infinity or NaN or a value beyond 96 bits.
bool DecimalFromReal(double value, DECIMAL& out);
double RealFromDecimal(const DECIMAL& value);
std::string TextFromDecimal(const DECIMAL& value);

}  // namespace pollenta::com
