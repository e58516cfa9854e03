#pragma once
// The calendar arithmetic and the text pieces that the fixed and the
// user's date forms share.

#include "com/Variant.h"

#include <string>

namespace pollenta::com {

// False for a day or time that does not exist; `overflow` tells a year
// outside 100..9999.
bool MakeDate(long y, unsigned m, unsigned d, unsigned h, unsigned mi, unsigned s, DATE& date, bool& overflow);
// Splits a date into its parts, rounded to the second; false out of range.
bool SplitDate(DATE date, SYSTEMTIME& time);
// Reads "hh:mm[:ss]" with an optional " AM"/" PM".
bool ParseTime(const std::string& text, unsigned& h, unsigned& mi, unsigned& s);
// Reads "YYYY-MM-DD" with an optional time after a blank or "T", or a time
// alone.
bool ParseIsoDate(const std::string& text, DATE& date, bool& overflow);
// The ISO form, else a date in the numeric strftime form `format` with an
// optional time after it.
bool ParseDateInForm(const std::string& text, const std::string& format, DATE& date, bool& overflow);
// The time, if any, that follows a date that ends at `used`, then the date.
bool ParseTimeAfterDate(const std::string& text, std::size_t used, DATE& date, long y, unsigned m, unsigned d,
                        bool& overflow);

}  // namespace pollenta::com
