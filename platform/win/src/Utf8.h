#pragma once
// Strict UTF-8: overlong forms, surrogates and values past U+10FFFF are not
// text.

#include <string>
#include <string_view>

class Utf8 {
public:
    // Reads one character at pos and moves past it. On bytes that are not
    // UTF-8 it moves past one byte, sets code to that byte and returns false.
    static bool Next(std::string_view text, size_t& pos, char32_t& code);
    static bool IsValid(std::string_view text);

    // Both replace what they cannot convert with U+FFFD and then return false.
    static bool Decode(std::string_view text, std::u16string& wide);
    static bool Encode(std::u16string_view wide, std::string& text);
    // Appends one character (at most U+10FFFF, no surrogate).
    static void Append(char32_t code, std::string& text);
};
