#pragma once
// The text work of macro substitution: keys replaced by values, and values
// made safe for the body format they go into. All texts are ANSI.

#include <string>
#include <vector>

struct MacroValue {
    std::string key;
    std::string value;
};
using MacroValueList = std::vector<MacroValue>;

// Every key of the list found at a "%" is replaced by its value (the first
// matching entry wins; empty keys never match); replaced values are not
// scanned again.
std::string ReplaceMacroKeys(const std::string& text, const MacroValueList& values);

// The value as RTF text: "\", "{" and "}" escaped, CR LF as a line break
// that survives HTML kept in RTF, and every other non-ASCII character as
// "\uN?" inside a "{\uc1 ...}" group.
std::string EscapeTextForRtf(const std::string& value);
// The value as HTML text: & < > " ' as references, and every non-ASCII
// character as "&#N;", so that it reads the same in any code page.
std::string EscapeTextForHtml(const std::string& value);

// The value for a URL: every byte but letters, digits, "%" and !'()*-./:_~
// as "%" and two lower-case hexadecimal digits.
std::string EscapeTextForUrl(const std::string& value);

MacroValueList EscapedMacroList(const MacroValueList& values, std::string (*escape)(const std::string&));
