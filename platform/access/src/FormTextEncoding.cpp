#include "FormTextEncoding.h"

#include "win/CodePage.h"

namespace pollenta::access {

namespace {

// windows-1252: the code page of forms saved on Western systems, taken when
// the process's own ANSI code page is UTF-8 and so cannot be the one.
constexpr UINT kWesternCodePage = 1252;

bool StartsWith(const std::string& text, const char* prefix, size_t length)
{
    return text.size() >= length && text.compare(0, length, prefix, length) == 0;
}

// One code point from text at i, surrogates included; false when the bytes
// there are no UTF-8.
bool DecodeOne(const std::string& text, size_t& i, char32_t& c)
{
    const auto byte = [&](size_t k) { return static_cast<unsigned char>(text[k]); };
    const unsigned char lead = byte(i);
    int more = 0;
    if (lead < 0x80) {
        c = lead;
    } else if (lead >= 0xC2 && lead < 0xE0) {
        c = lead & 0x1F, more = 1;
    } else if (lead >= 0xE0 && lead < 0xF0) {
        c = lead & 0x0F, more = 2;
    } else if (lead >= 0xF0 && lead < 0xF5) {
        c = lead & 0x07, more = 3;
    } else {
        return false;
    }
    if (more && i + more >= text.size())
        return false;
    for (int k = 1; k <= more; ++k) {
        if ((byte(i + k) & 0xC0) != 0x80)
            return false;
        c = (c << 6) | (byte(i + k) & 0x3F);
    }
    if ((more == 2 && c < 0x800) || (more == 3 && (c < 0x10000 || c > 0x10FFFF)))
        return false;
    i += more + 1;
    return true;
}

}  // namespace

std::optional<std::string> NormalizedUtf8(const std::string& text)
{
    // Through UTF-16, where a pair written as two sequences becomes the two
    // halves it stands for; a half without its partner becomes U+FFFD.
    std::u16string wide;
    wide.reserve(text.size());
    for (size_t i = 0; i < text.size();) {
        char32_t c = 0;
        if (!DecodeOne(text, i, c))
            return std::nullopt;
        if (c >= 0x10000) {
            wide += static_cast<char16_t>(0xD800 + ((c - 0x10000) >> 10));
            wide += static_cast<char16_t>(0xDC00 + ((c - 0x10000) & 0x3FF));
        } else {
            wide += static_cast<char16_t>(c);
        }
    }
    return ToNarrow(wide, CP_UTF8);
}

std::string FormTextToUtf8(const std::string& bytes)
{
    if (StartsWith(bytes, "\xFF\xFE", 2)) {
        std::u16string wide;
        wide.reserve(bytes.size() / 2);
        for (size_t i = 2; i + 1 < bytes.size(); i += 2)
            wide += static_cast<char16_t>(static_cast<unsigned char>(bytes[i]) |
                                          (static_cast<unsigned char>(bytes[i + 1]) << 8));
        return ToNarrow(wide, CP_UTF8);
    }
    const std::string body = StartsWith(bytes, "\xEF\xBB\xBF", 3) ? bytes.substr(3) : bytes;
    if (std::optional<std::string> utf8 = NormalizedUtf8(body))
        return *utf8;
    const UINT ansi = GetACP() == CP_UTF8 ? kWesternCodePage : GetACP();
    return Recode(body, ansi, CP_UTF8);
}

}  // namespace pollenta::access
