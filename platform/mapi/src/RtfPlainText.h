#pragma once
// The text an RTF document shows, as a plain body: paragraphs and line
// breaks as CR LF, tabs as tabs, "\'hh" bytes in the document's code page
// and "\uN" characters as themselves; font tables, pictures and other
// hidden destinations ("\*" groups included) left out.

#include <string>
#include <string_view>

// UTF-16 text; characters that do not decode become U+FFFD.
std::u16string RtfPlainText(std::string_view rtf);
