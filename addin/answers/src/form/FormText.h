#pragma once
// White space as the form-data parser sees it.

#include <string>
#include <string_view>

bool IsFormBlank(char c);
// Without the white space at either end.
std::string TrimBlanks(std::string_view text);
