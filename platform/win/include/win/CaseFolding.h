#pragma once
// Names that Windows compares without regard to case (registry keys, field
// and table names, property names) compare by Unicode's simple case folding,
// the same in every locale and on every thread: "Имя" equals "ИМЯ" and
// "Ärger" equals "ÄRGER". A folding that would turn one character into two
// ("ß" and "SS") is not simple, so those differ, as they do on Windows.
//
//     if (EqualsNoCase(column.name, requested)) ...

#include <string_view>

// Not a Windows function: the simple case folding of one code point.
char32_t FoldCase(char32_t code);

// Not Windows functions. UTF-8 text; a byte that is not part of a UTF-8
// character matches only the same byte.
bool EqualsNoCase(std::string_view a, std::string_view b);
// UTF-16 text; a lone surrogate matches only itself.
bool EqualsNoCase(std::u16string_view a, std::u16string_view b);
