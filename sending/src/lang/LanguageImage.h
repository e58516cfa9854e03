#pragma once
// The LNG string-table image: a 16-byte header (magic "LNG\x01", two format
// fields, the count N), N + 1 pairs {id, offset} with ascending ids and a
// closing pair {0xFFFFFFFF, size of the string area}, then the string area
// of NUL-terminated texts. All integers are 32-bit little-endian.

#include "LanguageText.h"

#include "win/CodePage.h"

#include <cstdint>
#include <string>
#include <vector>

inline constexpr std::uint32_t LanguageImageMagic = 0x01474E4C;
inline constexpr std::uint32_t LanguageImageFormat1 = 1;
inline constexpr std::uint32_t LanguageImageFormat2 = 3;
inline constexpr std::uint32_t LanguageImageEndId = 0xFFFFFFFF;

// Builds an image from UTF-8 texts ordered by ascending id, with the texts
// in `codePage`.
std::vector<unsigned char> BuildLanguageImage(std::span<const LanguageText> texts, UINT codePage = CP_UTF8);

// The texts of a built-in table by its name (ENGLISH, GERMAN, RUSSIAN, in
// any case); empty for any other name.
std::span<const LanguageText> FindBuiltInTexts(const std::string& name);
