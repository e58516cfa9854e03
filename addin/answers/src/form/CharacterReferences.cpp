#include "form/CharacterReferences.h"

namespace {

constexpr char32_t kLastCodePoint = 0x10FFFF;

bool IsCharacter(char32_t code)
{
    return code != 0 && code <= kLastCodePoint && (code < 0xD800 || code > 0xDFFF);
}

// The character of a reference that starts at `at`, and the reference's
// length; 0 when none starts there.
std::size_t ReferenceAt(std::u16string_view text, std::size_t at, char32_t& code)
{
    if (text.substr(at, 2) != u"&#")
        return 0;
    code = 0;
    std::size_t end = at + 2;
    // Seven digits reach past the last code point; more are no character.
    while (end < text.size() && end - at - 2 < 8 && text[end] >= u'0' && text[end] <= u'9')
        code = code * 10 + static_cast<char32_t>(text[end++] - u'0');
    if (end == at + 2 || end >= text.size() || text[end] != u';' || !IsCharacter(code))
        return 0;
    return end + 1 - at;
}

void Append(std::u16string& out, char32_t code)
{
    if (code < 0x10000) {
        out += static_cast<char16_t>(code);
        return;
    }
    code -= 0x10000;
    out += static_cast<char16_t>(0xD800 + (code >> 10));
    out += static_cast<char16_t>(0xDC00 + (code & 0x3FF));
}

}  // namespace

std::u16string DecodeCharacterReferences(std::u16string_view text)
{
    std::u16string out;
    out.reserve(text.size());
    for (std::size_t at = 0; at < text.size();) {
        char32_t code = 0;
        if (const std::size_t length = ReferenceAt(text, at, code)) {
            Append(out, code);
            at += length;
        } else {
            out += text[at++];
        }
    }
    return out;
}
