#pragma once
// Numbers as the user writes them (UserLocale.h), beside the ISO form that
// is always read: with the locale's decimal point, and its thousands
// separator between groups of three digits.

#include "NumberText.h"

#include <optional>

namespace pollenta::com {

// The ISO form ("-1234.5") of a number written in the user's form
// ("-1.234,5" in German), or nothing when the text is not one.
std::optional<std::string> IsoFromUserNumber(std::string_view text);
// Reads the user's form, else the ISO form: where they read a text
// differently, the user's wins.
bool ParseUserNumber(std::string_view text, ParsedNumber& number);
// Writes an ISO number text with the user's decimal point.
std::string UserNumberText(std::string isoText);

}  // namespace pollenta::com
