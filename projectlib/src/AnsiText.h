#pragma once
// Comparisons and conversions of ANSI text that follow the process's code
// page, so that letters beyond ASCII compare without regard to case too,
// by Unicode case folding whatever the locale.

#include "win/Types.h"

#include <string>

bool AnsiEqualNoCase(const std::string& a, const std::string& b);
// The text with its case folded: two texts are equal without regard to
// case when their keys are equal.
std::u16string AnsiCaseKey(const std::string& text);
// Reads text as a 32-bit number the way the automation conversion does.
bool AnsiTextToNumber(const std::string& text, LONG& number);
