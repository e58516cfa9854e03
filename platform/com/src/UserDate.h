#pragma once
// Dates as the user writes them (UserLocale.h): the locale's numeric date
// and time forms, four-digit years always written; the ISO forms are always
// read, and the C locale writes them.

#include "com/Variant.h"

#include <string>

namespace pollenta::com {

// Empty for a date outside the years 100..9999. Only the date at midnight,
// only the time on day 0, as the ISO form does.
std::string FormatUserDate(DATE date);
// False for text that is no date; `overflow` tells a date out of range.
// Two-digit years are 1930 to 2029.
bool ParseUserDate(const std::string& text, DATE& date, bool& overflow);

}  // namespace pollenta::com
