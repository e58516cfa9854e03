#pragma once
// The quoted strings of a saved form: "\"" stands for a quote, "\\" for a
// backslash, and "\" with up to three octal digits for a control character
// ("\015\012" is a line break).

#include <string>
#include <string_view>

namespace pollenta::access {

// Reads the string that starts with the quote at text[0] and appends its
// characters to out. False when it has no closing quote.
bool ReadQuoted(std::string_view text, std::string& out);

}  // namespace pollenta::access
