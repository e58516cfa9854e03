#pragma once
// How the user writes numbers and dates, as Windows takes them from the
// user's regional settings: here from the environment, read as the C library
// reads it (LC_ALL, then LC_NUMERIC or LC_TIME, then LANG), without touching
// the process's locale, which belongs to the host program and is not safe
// to switch between threads. The C and POSIX locales, and a locale that is
// not installed, write the ISO forms. Texts are ANSI.

#include <string>

namespace pollenta::com {

struct NumberForm {
    std::string decimalPoint = ".";
    std::string thousandsSeparator;  // empty when the locale groups no digits
};

struct DateForm {
    bool iso = true;  // no locale of its own: dates are written in ISO form
    // Numeric strftime conversions (%d %e %m %y %Y, %H %I %M %S %p) and
    // literal text; composite ones (%D %T %r %R %F) are spelt out.
    std::string dateFormat = "%m/%d/%y";
    std::string timeFormat = "%H:%M:%S";
    std::string am = "AM";
    std::string pm = "PM";
};

NumberForm UserNumberForm();
DateForm UserDateForm();

}  // namespace pollenta::com
