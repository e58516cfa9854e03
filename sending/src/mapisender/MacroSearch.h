#pragma once
// Macros found in a text and replaced by their values. A macro is "%", or
// its URL-escaped form "%25", then the macro's name as registered, then
// optionally the same delimiter again; the escaped form takes the
// URL-escaped value. Macros with an empty name never match (they would
// rewrite every "%" of a URL or a style). Replaced values are not searched
// again.

#include "CZrUniformMacro.h"

#include <string>
#include <string_view>
#include <vector>

using CZrUniformMacros = std::vector<CZrUniformMacro>;

// Subjects take the plain value; bodies the form of their format (1 plain,
// 2 HTML, 3 RTF).
std::string SearchAndReplace(std::string_view source, const CZrUniformMacros& list, bool subject, int bodyFormat);
// Texts of the object model have no RTF form; an RTF body takes plain values.
std::u16string SearchAndReplace(std::u16string_view source, const CZrUniformMacros& list, bool subject,
                                int bodyFormat);
