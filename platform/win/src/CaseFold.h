#pragma once
// Case folding for names that Windows compares without regard to case,
// non-ASCII letters included.

#include <string>
#include <string_view>

class CaseFold {
public:
    static char32_t Fold(char32_t code);
    // Folds the character at pos and moves past it; a stray byte becomes a
    // value no character has, so it only matches itself.
    static char32_t FoldNext(std::string_view text, size_t& pos);
    // The folded characters of UTF-8 text.
    static std::u32string FoldText(std::string_view text);
    // The folded characters as a compact key (UTF-8, a stray byte as 0xFF and
    // itself): two texts have the same key exactly when they match without
    // regard to case. ASCII text folds without decoding.
    static std::string FoldKey(std::string_view text);
};
