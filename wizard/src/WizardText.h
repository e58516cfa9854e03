#pragma once
// Blanks and letter case of the wizard's texts: names, actions, charsets.

#include <string>
#include <string_view>

// Without blanks, tabs and line breaks at either end.
std::string TrimBlanks(std::string_view text);
// ASCII letters in lower case; other bytes as they are.
std::string LowerAscii(std::string text);
