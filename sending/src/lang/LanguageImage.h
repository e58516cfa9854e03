#pragma once
// The LNG string-table image: a 16-byte header (magic "LNG\x01", two format
// fields, the count N), N + 1 pairs {id, offset} with ascending ids and a
// closing pair {0xFFFFFFFF, size of the string area}, then the string area
// of NUL-terminated texts. All integers are 32-bit little-endian.

#include "LanguageText.h"

#include <cstdint>
#include <string>
#include <vector>

inline constexpr std::uint32_t LanguageImageMagic = 0x01474E4C;
inline constexpr std::uint32_t LanguageImageFormat1 = 1;
inline constexpr std::uint32_t LanguageImageFormat2 = 3;
inline constexpr std::uint32_t LanguageImageEndId = 0xFFFFFFFF;

// Builds an image from texts ordered by ascending id.
std::vector<unsigned char> BuildLanguageImage(std::span<const LanguageText> texts);

// The image of a built-in table by its name (ENGLISH, GERMAN, RUSSIAN, in
// any case), or null.
const std::vector<unsigned char>* FindBuiltInLanguageImage(const std::string& name);
