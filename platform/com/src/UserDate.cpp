#include "UserDate.h"

#include "Calendar.h"
#include "NumberText.h"
#include "UserLocale.h"
#include "com/OleDate.h"

#include <cctype>
#include <cmath>
#include <cstdio>

namespace pollenta::com {

namespace {

constexpr long kTwoDigitYearCentury = 1900;
constexpr long kTwoDigitYearPivot = 30;  // below: the 2000s

std::string Number(unsigned value, int width)
{
    char text[16];
    std::snprintf(text, sizeof text, "%0*u", width, value);
    return text;
}

// Writes the numeric conversions of a strftime form; false for another.
bool Render(const std::string& format, const SYSTEMTIME& t, const DateForm& form, std::string& out)
{
    for (std::size_t i = 0; i < format.size(); ++i) {
        if (format[i] != '%' || i + 1 == format.size()) {
            out += format[i];
            continue;
        }
        const unsigned hour12 = t.wHour % 12 == 0 ? 12 : t.wHour % 12;
        switch (format[++i]) {
        case 'd': out += Number(t.wDay, 2); break;
        case 'e': out += Number(t.wDay, 1); break;
        case 'm': out += Number(t.wMonth, 2); break;
        case 'y':
        case 'Y': out += Number(t.wYear, 4); break;
        case 'H': out += Number(t.wHour, 2); break;
        case 'I': out += Number(hour12, 2); break;
        case 'M': out += Number(t.wMinute, 2); break;
        case 'S': out += Number(t.wSecond, 2); break;
        case 'p': out += t.wHour < 12 ? form.am : form.pm; break;
        case '%': out += '%'; break;
        default: return false;
        }
    }
    out = std::string(TrimBlanks(out));
    return true;
}

// Reads up to `most` digits at `at`.
bool ReadDigits(const std::string& text, std::size_t& at, std::size_t most, long& value, std::size_t& count)
{
    value = 0;
    count = 0;
    while (at < text.size() && count < most && std::isdigit(static_cast<unsigned char>(text[at]))) {
        value = value * 10 + (text[at++] - '0');
        ++count;
    }
    return count > 0;
}

// Reads the date part of text in the numeric strftime form `format`; `at`
// ends after it.
bool ReadDate(const std::string& text, const std::string& format, std::size_t& at, long& y, unsigned& m, unsigned& d)
{
    for (std::size_t i = 0; i < format.size(); ++i) {
        if (format[i] == ' ') {
            while (at < text.size() && text[at] == ' ') ++at;
            continue;
        }
        if (format[i] != '%' || i + 1 == format.size()) {
            if (at >= text.size() || text[at++] != format[i]) return false;
            continue;
        }
        long value = 0;
        std::size_t count = 0;
        const char conversion = format[++i];
        if (conversion == 'e')
            while (at < text.size() && text[at] == ' ') ++at;
        const bool year = conversion == 'y' || conversion == 'Y';
        if ((conversion != 'd' && conversion != 'e' && conversion != 'm' && !year) ||
            !ReadDigits(text, at, year ? 4 : 2, value, count))
            return false;
        if (year)
            y = count <= 2 ? value + kTwoDigitYearCentury + (value < kTwoDigitYearPivot ? 100 : 0) : value;
        else
            (conversion == 'm' ? m : d) = static_cast<unsigned>(value);
    }
    return true;
}

}  // namespace

std::string FormatUserDate(DATE date)
{
    const DateForm form = UserDateForm();
    SYSTEMTIME t{};
    if (form.iso || !SplitDate(date, t)) return FormatDate(date);
    const bool hasTime = t.wHour || t.wMinute || t.wSecond;
    const bool hasDate = std::trunc(date) != 0 || !hasTime;
    std::string datePart, timePart;
    if ((hasDate && !Render(form.dateFormat, t, form, datePart)) || (hasTime && !Render(form.timeFormat, t, form, timePart)))
        return FormatDate(date);
    return datePart + (hasDate && hasTime ? " " : "") + timePart;
}

bool ParseDateInForm(const std::string& input, const std::string& format, DATE& date, bool& overflow)
{
    if (ParseIsoDate(input, date, overflow)) return true;
    if (overflow) return false;
    const std::string text(TrimBlanks(input));
    long y = 0;
    unsigned m = 0, d = 0;
    std::size_t at = 0;
    if (!ReadDate(text, format, at, y, m, d)) return false;
    return ParseTimeAfterDate(text, at, date, y, m, d, overflow);
}

bool ParseUserDate(const std::string& input, DATE& date, bool& overflow)
{
    return ParseDateInForm(input, UserDateForm().dateFormat, date, overflow);
}

}  // namespace pollenta::com
