#pragma once
// One string of a language table: its id and its 8-bit text.

#include <cstdint>
#include <span>

struct LanguageText {
    std::uint32_t id;
    const char* text;
};

// The built-in tables, each ordered by id; the texts are UTF-8.
std::span<const LanguageText> EnglishTexts();
std::span<const LanguageText> GermanTexts();
std::span<const LanguageText> RussianTexts();
