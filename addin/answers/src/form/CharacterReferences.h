#pragma once
// Decimal character references ("&#1044;"), which browsers write into a
// posted form for characters that the page's charset cannot hold.
//
//     DecodeCharacterReferences(u"&#1044;&#1072;")   // u"Да"

#include <string>
#include <string_view>

// Each "&#" + decimal digits + ";" that names a character (not a surrogate,
// not NUL, at most U+10FFFF) becomes that character; everything else,
// other references included, stays as it is.
std::u16string DecodeCharacterReferences(std::u16string_view text);
