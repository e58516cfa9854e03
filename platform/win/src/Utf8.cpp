#include "Utf8.h"

bool Utf8::Next(std::string_view text, size_t& pos, char32_t& code)
{
    const auto lead = static_cast<unsigned char>(text[pos]);
    code = lead;
    int length = lead < 0x80 ? 1 : (lead >> 5) == 6 ? 2 : (lead >> 4) == 14 ? 3 : (lead >> 3) == 30 ? 4 : 0;
    if (length == 1) {
        ++pos;
        return true;
    }
    if (length == 0 || pos + length > text.size()) {
        ++pos;
        return false;
    }
    char32_t value = lead & (0x7F >> length);
    for (int i = 1; i < length; ++i) {
        const auto next = static_cast<unsigned char>(text[pos + i]);
        if ((next & 0xC0) != 0x80) {
            ++pos;
            return false;
        }
        value = (value << 6) | (next & 0x3F);
    }
    static constexpr char32_t kSmallest[] = {0, 0, 0x80, 0x800, 0x10000};
    if (value < kSmallest[length] || value > 0x10FFFF || (value >= 0xD800 && value < 0xE000)) {
        ++pos;
        return false;
    }
    pos += length;
    code = value;
    return true;
}

bool Utf8::IsValid(std::string_view text)
{
    char32_t code;
    for (size_t pos = 0; pos < text.size();)
        if (!Next(text, pos, code))
            return false;
    return true;
}

bool Utf8::Decode(std::string_view text, std::u16string& wide)
{
    bool clean = true;
    for (size_t pos = 0; pos < text.size();) {
        char32_t code;
        if (!Next(text, pos, code)) {
            clean = false;
            code = 0xFFFD;
        }
        if (code >= 0x10000) {
            code -= 0x10000;
            wide += static_cast<char16_t>(0xD800 + (code >> 10));
            wide += static_cast<char16_t>(0xDC00 + (code & 0x3FF));
        } else {
            wide += static_cast<char16_t>(code);
        }
    }
    return clean;
}

bool Utf8::Encode(std::u16string_view wide, std::string& text)
{
    bool clean = true;
    for (size_t i = 0; i < wide.size(); ++i) {
        char32_t code = wide[i];
        if (code >= 0xD800 && code < 0xDC00 && i + 1 < wide.size() && wide[i + 1] >= 0xDC00 && wide[i + 1] < 0xE000) {
            code = 0x10000 + ((code - 0xD800) << 10) + (wide[++i] - 0xDC00);
        } else if (code >= 0xD800 && code < 0xE000) {
            clean = false;
            code = 0xFFFD;
        }
        Append(code, text);
    }
    return clean;
}

void Utf8::Append(char32_t code, std::string& text)
{
    if (code < 0x80) {
        text += static_cast<char>(code);
    } else if (code < 0x800) {
        text += static_cast<char>(0xC0 | (code >> 6));
        text += static_cast<char>(0x80 | (code & 0x3F));
    } else if (code < 0x10000) {
        text += static_cast<char>(0xE0 | (code >> 12));
        text += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
        text += static_cast<char>(0x80 | (code & 0x3F));
    } else {
        text += static_cast<char>(0xF0 | (code >> 18));
        text += static_cast<char>(0x80 | ((code >> 12) & 0x3F));
        text += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
        text += static_cast<char>(0x80 | (code & 0x3F));
    }
}
