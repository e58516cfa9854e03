#pragma once
// Case folding for names that Windows compares without regard to case,
// non-ASCII letters included.

#include <string>
#include <string_view>

class CaseFold {
public:
    static char32_t Fold(char32_t code);
    // The folded characters of UTF-8 text; a stray byte becomes a value no
    // character has, so it only matches itself.
    static std::u32string FoldText(std::string_view text);
};
