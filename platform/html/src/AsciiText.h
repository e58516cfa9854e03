#pragma once
// Case and blank handling of markup names and values, which are ASCII
// whatever the page's charset is.

#include <string>
#include <string_view>

namespace pollenta::html {

std::string AsciiLower(std::string_view text);
std::string AsciiUpper(std::string_view text);
std::string AsciiTrim(std::string_view text);
// Runs of blanks become one blank; the ends are trimmed.
std::string CollapseBlanks(std::string_view text);
bool EqualsNoCase(std::string_view a, std::string_view b);

}  // namespace pollenta::html
