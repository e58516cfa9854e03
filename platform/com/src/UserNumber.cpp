#include "UserNumber.h"

#include "UserLocale.h"

#include <cctype>

namespace pollenta::com {

namespace {

bool IsDigit(char c) { return std::isdigit(static_cast<unsigned char>(c)) != 0; }

bool StartsWith(std::string_view text, std::size_t at, const std::string& part)
{
    return !part.empty() && text.substr(at, part.size()) == part;
}

// The lengths of a thousands separator at `at`, 0 when there is none. A
// no-break space of the locale may be typed as an ordinary blank.
std::size_t SeparatorAt(std::string_view text, std::size_t at, const std::string& separator)
{
    if (StartsWith(text, at, separator))
        return separator.size();
    const bool noBreakSpace = separator == "\xC2\xA0" || separator == "\xE2\x80\xAF";
    return noBreakSpace && at < text.size() && text[at] == ' ' ? 1 : 0;
}

// Copies the digits of the whole part, dropping separators that stand
// between groups of three; false for one that stands elsewhere.
bool CopyWholeDigits(std::string_view text, std::size_t& at, const std::string& separator, std::string& iso)
{
    std::size_t group = 0;
    bool separated = false;
    while (at < text.size()) {
        if (IsDigit(text[at])) {
            iso += text[at++];
            ++group;
            continue;
        }
        const std::size_t length = SeparatorAt(text, at, separator);
        if (length == 0 || group == 0 || (separated && group != 3) || at + length >= text.size() ||
            !IsDigit(text[at + length]))
            break;
        separated = true;
        group = 0;
        at += length;
    }
    return !separated || group == 3;
}

}  // namespace

std::optional<std::string> IsoFromUserNumber(std::string_view input)
{
    const std::string_view text = TrimBlanks(input);
    const NumberForm form = UserNumberForm();
    std::string iso;
    std::size_t at = 0;
    if (at < text.size() && (text[at] == '-' || text[at] == '+'))
        iso += text[at++];
    if (!CopyWholeDigits(text, at, form.thousandsSeparator, iso))
        return std::nullopt;
    if (StartsWith(text, at, form.decimalPoint)) {
        iso += '.';
        at += form.decimalPoint.size();
    }
    // Fraction digits and the exponent are the same in every form.
    iso += text.substr(at);
    return iso;
}

bool ParseUserNumber(std::string_view text, ParsedNumber& number)
{
    // The user's form first: "1.234" is 1234 under German, as on Windows.
    const std::optional<std::string> iso = IsoFromUserNumber(text);
    return (iso && ParseNumber(*iso, number)) || ParseNumber(text, number);
}

std::string UserNumberText(std::string isoText)
{
    const std::size_t point = isoText.find('.');
    if (point != std::string::npos)
        isoText.replace(point, 1, UserNumberForm().decimalPoint);
    return isoText;
}

}  // namespace pollenta::com
