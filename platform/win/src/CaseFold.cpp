#include "CaseFold.h"

#include "Utf8.h"
#include "win/CaseFolding.h"

#include <algorithm>


char32_t CaseFold::Fold(char32_t code)
{
    // Unicode's simple folding, with ASCII letters kept in capitals so that
    // the Kelvin sign and "K" still meet on one key.
    const char32_t folded = code < 0x110000 ? FoldCase(code) : code;
    return (folded >= 'a' && folded <= 'z') ? folded - 'a' + 'A' : folded;
}

char32_t CaseFold::FoldNext(std::string_view text, size_t& pos)
{
    char32_t code;
    return Utf8::Next(text, pos, code) ? Fold(code) : (code | 0x80000000u);
}

std::u32string CaseFold::FoldText(std::string_view text)
{
    std::u32string folded;
    for (size_t pos = 0; pos < text.size();)
        folded += FoldNext(text, pos);
    return folded;
}

namespace {

// A stray byte cannot be taken for a character: 0xFF never occurs in UTF-8.
void AppendKey(char32_t folded, std::string& key)
{
    if (folded & 0x80000000u) {
        key += '\xFF';
        key += static_cast<char>(folded & 0xFF);
    } else {
        Utf8::Append(folded, key);
    }
}

} // namespace

std::string CaseFold::FoldKey(std::string_view text)
{
    if (std::all_of(text.begin(), text.end(), [](char c) { return static_cast<unsigned char>(c) < 0x80; })) {
        std::string key(text);
        for (char& c : key)
            if (c >= 'a' && c <= 'z')
                c = static_cast<char>(c - 'a' + 'A');
        return key;
    }
    std::string key;
    key.reserve(text.size());
    for (size_t pos = 0; pos < text.size();) {
        const char c = text[pos];
        if (static_cast<unsigned char>(c) < 0x80) {
            key += (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
            ++pos;
        } else {
            AppendKey(FoldNext(text, pos), key);
        }
    }
    return key;
}
