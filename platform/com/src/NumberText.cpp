#include "NumberText.h"

#include <cctype>
#include <charconv>
#include <cmath>

namespace pollenta::com {

std::string_view TrimBlanks(std::string_view text)
{
    while (!text.empty() && std::isspace(static_cast<unsigned char>(text.front()))) text.remove_prefix(1);
    while (!text.empty() && std::isspace(static_cast<unsigned char>(text.back()))) text.remove_suffix(1);
    return text;
}

namespace {

// Checks the shape strictly, so that from_chars never accepts "inf", "nan"
// or hex.
bool IsDecimalNumber(std::string_view text)
{
    size_t i = 0;
    if (i < text.size() && (text[i] == '-' || text[i] == '+')) ++i;
    size_t digits = 0;
    while (i < text.size() && std::isdigit(static_cast<unsigned char>(text[i]))) ++i, ++digits;
    if (i < text.size() && text[i] == '.') {
        ++i;
        while (i < text.size() && std::isdigit(static_cast<unsigned char>(text[i]))) ++i, ++digits;
    }
    if (digits == 0) return false;
    if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
        ++i;
        if (i < text.size() && (text[i] == '-' || text[i] == '+')) ++i;
        size_t exponentDigits = 0;
        while (i < text.size() && std::isdigit(static_cast<unsigned char>(text[i]))) ++i, ++exponentDigits;
        if (exponentDigits == 0) return false;
    }
    return i == text.size();
}

// The power of ten of the leading digit, plus one: 3 for "123.4", 0 for "0.5".
long MagnitudeOf(std::string_view text)
{
    long integerDigits = 0;
    long leadingZeros = 0;
    bool seenNonZero = false;
    bool inFraction = false;
    long exponent = 0;
    for (size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '.') {
            inFraction = true;
        } else if (c == 'e' || c == 'E') {
            std::from_chars(text.data() + i + 1 + (text[i + 1] == '+'), text.data() + text.size(), exponent);
            break;
        } else if (std::isdigit(static_cast<unsigned char>(c))) {
            if (c != '0') seenNonZero = true;
            if (!inFraction && seenNonZero) ++integerDigits;
            if (inFraction && !seenNonZero) ++leadingZeros;
        }
    }
    return (integerDigits > 0 ? integerDigits : -leadingZeros) + exponent;
}

}  // namespace

bool ParseNumber(std::string_view text, ParsedNumber& number)
{
    text = TrimBlanks(text);
    if (!IsDecimalNumber(text)) return false;
    const bool negative = text.front() == '-';
    if (text.front() == '+') text.remove_prefix(1);
    const char* first = text.data();
    const char* last = text.data() + text.size();

    std::int64_t whole = 0;
    auto [end, error] = std::from_chars(first, last, whole);
    if (end == last && error == std::errc()) {
        number.kind = ParsedNumber::Kind::Signed;
        number.signedValue = whole;
        return true;
    }
    if (!negative) {
        std::uint64_t big = 0;
        auto [bigEnd, bigError] = std::from_chars(first, last, big);
        if (bigEnd == last && bigError == std::errc()) {
            number.kind = ParsedNumber::Kind::Unsigned;
            number.unsignedValue = big;
            return true;
        }
    }
    double real = 0;
    auto [realEnd, realError] = std::from_chars(first, last, real);
    if (realEnd != last) return false;
    // Too large reads as infinity, which the callers report as overflow; too
    // small reads as zero.
    if (realError == std::errc::result_out_of_range)
        real = MagnitudeOf(text) > 0 ? (negative ? -HUGE_VAL : HUGE_VAL) : 0.0;
    number.kind = ParsedNumber::Kind::Real;
    number.realValue = real;
    return true;
}

std::string FormatReal(double value, int digits)
{
    char buffer[64];
    auto [end, error] = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::general, digits);
    std::string text(buffer, error == std::errc() ? end : buffer);
    for (char& c : text)
        if (c == 'e') c = 'E';
    return text;
}

}  // namespace pollenta::com
