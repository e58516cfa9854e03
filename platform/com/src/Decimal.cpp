#include "Decimal.h"

#include "NumberText.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdlib>

namespace pollenta::com {

namespace {

using Mantissa = unsigned __int128;
constexpr Mantissa kLimit = Mantissa(1) << 96;
constexpr int kMaxScale = 28;

Mantissa MantissaOf(const DECIMAL& value) { return (Mantissa(value.Hi32) << 64) | value.Lo64; }

void Store(Mantissa mantissa, int scale, bool negative, DECIMAL& out)
{
    out = DECIMAL{};
    out.Hi32 = static_cast<ULONG>(mantissa >> 64);
    out.Lo64 = static_cast<ULONGLONG>(mantissa);
    out.scale = static_cast<BYTE>(scale);
    out.sign = negative && mantissa != 0 ? DECIMAL_NEG : 0;
}

}  // namespace

bool DecimalFromText(const std::string& input, DECIMAL& value, bool& overflow)
{
    overflow = false;
    ParsedNumber check;
    const std::string_view text = TrimBlanks(input);
    if (!ParseNumber(text, check)) return false;

    Mantissa mantissa = 0;
    int scale = 0;
    bool inFraction = false;
    bool negative = false;
    long exponent = 0;
    size_t i = 0;
    if (text[i] == '-' || text[i] == '+') negative = text[i++] == '-';
    for (; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '.') {
            inFraction = true;
            continue;
        }
        if (c == 'e' || c == 'E') {
            exponent = std::strtol(std::string(text.substr(i + 1)).c_str(), nullptr, 10);
            break;
        }
        // Digits past what fits are dropped when they are fraction digits
        // (rounding is not attempted) and overflow otherwise.
        if (mantissa * 10 + (c - '0') >= kLimit || (inFraction && scale == kMaxScale)) {
            if (!inFraction) {
                overflow = true;
                return false;
            }
            continue;
        }
        mantissa = mantissa * 10 + (c - '0');
        if (inFraction) ++scale;
    }
    // Nothing fits beyond these, and the loops below stay short.
    exponent = std::clamp(exponent, -100L, 100L);
    for (; exponent > 0; --exponent) {
        if (scale > 0) {
            --scale;
        } else if (mantissa * 10 >= kLimit) {
            overflow = mantissa != 0;
            if (overflow) return false;
            break;
        } else {
            mantissa *= 10;
        }
    }
    for (; exponent < 0; ++exponent) {
        if (scale < kMaxScale)
            ++scale;
        else
            mantissa /= 10;
    }
    Store(mantissa, scale, negative, value);
    return true;
}

void DecimalFromInteger(std::int64_t value, DECIMAL& out)
{
    const bool negative = value < 0;
    const Mantissa magnitude = negative ? Mantissa(-(value + 1)) + 1 : Mantissa(value);
    Store(magnitude, 0, negative, out);
}

void DecimalFromUnsigned(std::uint64_t value, DECIMAL& out) { Store(value, 0, false, out); }

bool DecimalFromReal(double value, DECIMAL& out)
{
    if (!std::isfinite(value)) return false;
    bool overflow = false;
    return DecimalFromText(FormatReal(value, 15), out, overflow);
}

double RealFromDecimal(const DECIMAL& value)
{
    const double magnitude = static_cast<double>(MantissaOf(value)) / std::pow(10.0, value.scale);
    return value.sign & DECIMAL_NEG ? -magnitude : magnitude;
}

std::string TextFromDecimal(const DECIMAL& value)
{
    Mantissa mantissa = MantissaOf(value);
    std::string digits;
    do {
        digits.insert(digits.begin(), static_cast<char>('0' + static_cast<int>(mantissa % 10)));
        mantissa /= 10;
    } while (mantissa != 0);
    const size_t scale = value.scale;
    if (digits.size() <= scale) digits.insert(0, scale - digits.size() + 1, '0');
    if (scale > 0) {
        digits.insert(digits.size() - scale, 1, '.');
        while (digits.back() == '0') digits.pop_back();
        if (digits.back() == '.') digits.pop_back();
    }
    return (value.sign & DECIMAL_NEG) && digits != "0" ? "-" + digits : digits;
}

}  // namespace pollenta::com
