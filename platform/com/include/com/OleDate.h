#pragma once
// DATE values (days since 1899-12-30, the fraction is the time of day)
// to and from calendar times and text. VarDateFromStr, like
// VariantChangeType, reads the user's locale's form and the ISO form;
// FormatDate and ParseDate use one fixed form whatever the locale, for
// values that are stored: "YYYY-MM-DD hh:mm:ss"; "M/D/YYYY" is read too.

#include "com/Variant.h"

#include <string>

inline constexpr ULONG VAR_TIMEVALUEONLY = 0x1;
inline constexpr ULONG VAR_DATEVALUEONLY = 0x2;

extern "C" {
// DISP_E_TYPEMISMATCH for text that is no date, DISP_E_OVERFLOW for a date
// outside the years 100..9999.
HRESULT VarDateFromStr(LPCOLESTR text, LCID lcid, ULONG flags, DATE* date);
// FALSE for a date outside the years 100..9999.
INT SystemTimeToVariantTime(const SYSTEMTIME* time, DATE* date);
INT VariantTimeToSystemTime(DATE date, SYSTEMTIME* time);
}

namespace pollenta::com {
// "YYYY-MM-DD hh:mm:ss"; only the date at midnight, only the time on day 0.
std::string FormatDate(DATE date);
// False for text that is no date; `overflow` tells a date out of range.
bool ParseDate(const std::string& text, DATE& date, bool& overflow);
}  // namespace pollenta::com
