#pragma once
// The component's message table: the same ids in English (1033), German
// (1031) and Russian (1049), each ordered by id. %1 and %2 are inserts;
// in 0xC00022D1 "%s" stands for its single insert. The texts are UTF-8.

#include "lang/LanguageText.h"

std::span<const LanguageText> EnglishMessages();
std::span<const LanguageText> GermanMessages();
std::span<const LanguageText> RussianMessages();
