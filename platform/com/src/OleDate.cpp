#include "com/OleDate.h"

#include "Calendar.h"
#include "NumberText.h"
#include "UserDate.h"
#include "com/Text.h"

#include <cctype>
#include <cmath>
#include <cstdio>

namespace {

constexpr double kMinDate = -657434.0;        // 0100-01-01
constexpr double kMaxDate = 2958466.0;        // 10000-01-01, excluded
constexpr long kDaysFrom1970To1899 = -25569;  // 1899-12-30 relative to 1970-01-01

// Days since 1970-01-01 of a proleptic Gregorian date.
long DaysFromCivil(long y, unsigned m, unsigned d)
{
    y -= m <= 2;
    const long era = (y >= 0 ? y : y - 399) / 400;
    const unsigned yoe = static_cast<unsigned>(y - era * 400);
    const unsigned doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
    const unsigned doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + static_cast<long>(doe) - 719468;
}

void CivilFromDays(long z, long& y, unsigned& m, unsigned& d)
{
    z += 719468;
    const long era = (z >= 0 ? z : z - 146096) / 146097;
    const unsigned doe = static_cast<unsigned>(z - era * 146097);
    const unsigned yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    y = static_cast<long>(yoe) + era * 400;
    const unsigned doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const unsigned mp = (5 * doy + 2) / 153;
    d = doy - (153 * mp + 2) / 5 + 1;
    m = mp < 10 ? mp + 3 : mp - 9;
    y += m <= 2;
}

bool IsLeap(long y) { return (y % 4 == 0 && y % 100 != 0) || y % 400 == 0; }

unsigned DaysInMonth(long y, unsigned m)
{
    static constexpr unsigned kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return m == 2 && IsLeap(y) ? 29 : kDays[m - 1];
}

// Before day 0 the fraction still counts forward from midnight: -1.25 is
// 1899-12-29 06:00.
double CombineDayAndTime(long day, double time) { return day >= 0 ? day + time : day - time; }

}  // namespace

namespace pollenta::com {

bool MakeDate(long y, unsigned m, unsigned d, unsigned h, unsigned mi, unsigned s, DATE& date, bool& overflow)
{
    overflow = false;
    if (m < 1 || m > 12 || d < 1 || d > DaysInMonth(y, m) || h > 23 || mi > 59 || s > 59) return false;
    if (y < 100 || y > 9999) {
        overflow = true;
        return false;
    }
    const long day = DaysFromCivil(y, m, d) - kDaysFrom1970To1899;
    date = CombineDayAndTime(day, (h * 3600.0 + mi * 60.0 + s) / 86400.0);
    return true;
}

// Splits a date into its parts, rounded to the second.
bool SplitDate(DATE date, SYSTEMTIME& time)
{
    if (!(date >= kMinDate && date < kMaxDate)) return false;
    long day = static_cast<long>(std::trunc(date));
    long seconds = std::lround(std::fabs(date - static_cast<double>(day)) * 86400.0);
    if (seconds >= 86400) {
        seconds -= 86400;
        day += date >= 0 ? 1 : -1;
    }
    long y;
    unsigned m, d;
    CivilFromDays(day + kDaysFrom1970To1899, y, m, d);
    time.wYear = static_cast<WORD>(y);
    time.wMonth = static_cast<WORD>(m);
    time.wDay = static_cast<WORD>(d);
    time.wDayOfWeek = static_cast<WORD>(((day + kDaysFrom1970To1899) % 7 + 11) % 7);
    time.wHour = static_cast<WORD>(seconds / 3600);
    time.wMinute = static_cast<WORD>(seconds / 60 % 60);
    time.wSecond = static_cast<WORD>(seconds % 60);
    time.wMilliseconds = 0;
    return true;
}

// Reads "hh:mm[:ss]" with an optional " AM"/" PM".
bool ParseTime(const std::string& text, unsigned& h, unsigned& mi, unsigned& s)
{
    int used = 0;
    s = 0;
    if (std::sscanf(text.c_str(), "%2u:%2u:%2u%n", &h, &mi, &s, &used) < 3 &&
        std::sscanf(text.c_str(), "%2u:%2u%n", &h, &mi, &used) < 2)
        return false;
    const std::string rest(pollenta::com::TrimBlanks(std::string_view(text).substr(used)));
    if (rest.empty()) return true;
    const char half = static_cast<char>(std::toupper(static_cast<unsigned char>(rest[0])));
    if (rest.size() != 2 || (half != 'A' && half != 'P') || std::toupper(static_cast<unsigned char>(rest[1])) != 'M' ||
        h < 1 || h > 12)
        return false;
    const bool pm = half == 'P';
    h = h % 12 + (pm ? 12 : 0);
    return true;
}


std::string FormatDate(DATE date)
{
    SYSTEMTIME t{};
    if (!SplitDate(date, t)) return {};
    char text[64];
    const bool hasTime = t.wHour || t.wMinute || t.wSecond;
    const bool hasDate = std::trunc(date) != 0 || !hasTime;
    if (hasDate && hasTime)
        std::snprintf(text, sizeof text, "%04u-%02u-%02u %02u:%02u:%02u", t.wYear, t.wMonth, t.wDay, t.wHour, t.wMinute,
                      t.wSecond);
    else if (hasDate)
        std::snprintf(text, sizeof text, "%04u-%02u-%02u", t.wYear, t.wMonth, t.wDay);
    else
        std::snprintf(text, sizeof text, "%02u:%02u:%02u", t.wHour, t.wMinute, t.wSecond);
    return text;
}

bool ParseTimeAfterDate(const std::string& text, std::size_t used, DATE& date, long y, unsigned m, unsigned d,
                        bool& overflow)
{
    unsigned h = 0, mi = 0, s = 0;
    const std::string rest(TrimBlanks(std::string_view(text).substr(used)));
    if (!rest.empty() && text[used] != ' ' && text[used] != 'T') return false;
    if (!rest.empty() && !ParseTime(rest, h, mi, s)) return false;
    return MakeDate(y, m, d, h, mi, s, date, overflow);
}

bool ParseIsoDate(const std::string& input, DATE& date, bool& overflow)
{
    overflow = false;
    const std::string text(TrimBlanks(input));
    long y = 0;
    unsigned m = 0, d = 0, h = 0, mi = 0, s = 0;
    int used = 0;
    if (std::sscanf(text.c_str(), "%5ld-%2u-%2u%n", &y, &m, &d, &used) == 3)
        return ParseTimeAfterDate(text, static_cast<std::size_t>(used), date, y, m, d, overflow);
    if (ParseTime(text, h, mi, s) && h < 24 && mi < 60 && s < 60) {
        date = (h * 3600.0 + mi * 60.0 + s) / 86400.0;
        return true;
    }
    return false;
}

bool ParseDate(const std::string& input, DATE& date, bool& overflow)
{
    return ParseDateInForm(input, "%m/%d/%Y", date, overflow);
}

}  // namespace pollenta::com

extern "C" {

HRESULT VarDateFromStr(LPCOLESTR text, LCID, ULONG flags, DATE* date)
{
    if (!text || !date) return E_INVALIDARG;
    DATE value = 0;
    bool overflow = false;
    if (!pollenta::com::ParseUserDate(pollenta::com::AnsiFromOleString(text), value, overflow))
        return overflow ? DISP_E_OVERFLOW : DISP_E_TYPEMISMATCH;
    const double day = std::trunc(value);
    if (flags & VAR_DATEVALUEONLY) value = day;
    if (flags & VAR_TIMEVALUEONLY) value = std::fabs(value - day);
    *date = value;
    return S_OK;
}

INT SystemTimeToVariantTime(const SYSTEMTIME* time, DATE* date)
{
    if (!time || !date) return FALSE;
    bool overflow = false;
    return pollenta::com::MakeDate(time->wYear, time->wMonth, time->wDay, time->wHour, time->wMinute, time->wSecond, *date, overflow)
               ? TRUE
               : FALSE;
}

INT VariantTimeToSystemTime(DATE date, SYSTEMTIME* time)
{
    if (!time) return FALSE;
    return pollenta::com::SplitDate(date, *time) ? TRUE : FALSE;
}

}
