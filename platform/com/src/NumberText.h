#pragma once
// Numbers read from and written to text the one way this layer does it,
// whatever the process locale: "." is the decimal point, no grouping.

#include <cstdint>
#include <string>
#include <string_view>

namespace pollenta::com {

struct ParsedNumber {
    enum class Kind { Signed, Unsigned, Real };
    Kind kind = Kind::Signed;
    std::int64_t signedValue = 0;
    std::uint64_t unsignedValue = 0;
    double realValue = 0;
};

// Reads an optional sign, digits with an optional "." and exponent, with
// blanks around it allowed. Whole numbers that fit 64 bits stay exact.
bool ParseNumber(std::string_view text, ParsedNumber& number);
// Shortest form with up to `digits` significant digits; exponents as "1E+20".
std::string FormatReal(double value, int digits);
std::string_view TrimBlanks(std::string_view text);

}  // namespace pollenta::com
