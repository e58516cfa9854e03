#pragma once
// Comparisons and conversions of ANSI text that follow the process's code
// page, so that letters beyond ASCII compare without regard to case too,
// by Unicode case folding whatever the locale.

#include "win/Types.h"

#include <initializer_list>
#include <string>

bool AnsiEqualNoCase(const std::string& a, const std::string& b);
// Whether text equals one of the words, without regard to case; the words
// are given in UTF-16 so that non-ASCII ones read in any code page.
bool AnsiEqualsOneOf(const std::string& text, std::initializer_list<const char16_t*> words);
// The text with its case folded: two texts are equal without regard to
// case when their keys are equal.
std::u16string AnsiCaseKey(const std::string& text);
// Reads text as a 32-bit number the way the automation conversion does.
bool AnsiTextToNumber(const std::string& text, LONG& number);
