#include "TextCodec.h"

#include "html/EncodingLabels.h"

#include <iconv.h>

#include <cerrno>
#include <memory>

namespace pollenta::html {

namespace {

constexpr std::size_t kChunk = 16384;
constexpr std::string_view kReplacement = "\xEF\xBF\xBD";

struct IconvClose {
    void operator()(void* cd) const { iconv_close(static_cast<iconv_t>(cd)); }
};
// One iconv descriptor for the life of one conversion; null when iconv does
// not know one of the charsets.
using IconvHandle = std::unique_ptr<void, IconvClose>;

// A label browsers know converts as browsers decode it; any other name is
// taken as iconv's own.
std::string IconvName(const std::string& charset)
{
    const std::string encoding = EncodingOfLabel(charset);
    return encoding.empty() ? charset : IconvNameOfEncoding(encoding);
}

IconvHandle OpenIconv(const std::string& to, const std::string& from)
{
    iconv_t cd = iconv_open(IconvName(to).c_str(), IconvName(from).c_str());
    return IconvHandle(cd == reinterpret_cast<iconv_t>(-1) ? nullptr : cd);
}

// Converts as much of the input as it can and moves the view past what was
// read; returns the errno that stopped it, 0 at the end of the input (after
// flushing any shift state).
int Convert(const IconvHandle& handle, std::string_view& input, std::string& output)
{
    const auto cd = static_cast<iconv_t>(handle.get());
    char buffer[kChunk];
    for (;;) {
        char* out = buffer;
        std::size_t outLeft = sizeof buffer;
        std::size_t rc = 0;
        if (input.empty()) {
            iconv(cd, nullptr, nullptr, &out, &outLeft);
        } else {
            char* in = const_cast<char*>(input.data());
            std::size_t inLeft = input.size();
            rc = iconv(cd, &in, &inLeft, &out, &outLeft);
            input.remove_prefix(input.size() - inLeft);
        }
        const int error = rc == static_cast<std::size_t>(-1) ? errno : 0;
        output.append(buffer, out - buffer);
        if (error == E2BIG)
            continue;
        if (error || input.empty())
            return error;
    }
}

// The code point of the UTF-8 sequence at the start of text and its length;
// a malformed lead gives U+FFFD over one byte.
char32_t NextCodePoint(std::string_view text, std::size_t& length)
{
    const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(text[i]); };
    const unsigned char lead = byte(0);
    std::size_t count = lead < 0x80 ? 1 : (lead >> 5) == 6 ? 2 : (lead >> 4) == 14 ? 3 : (lead >> 3) == 30 ? 4 : 0;
    if (count == 0 || count > text.size()) {
        length = 1;
        return 0xFFFD;
    }
    char32_t value = count == 1 ? lead : lead & (0x7F >> count);
    for (std::size_t i = 1; i < count; ++i) {
        if ((byte(i) & 0xC0) != 0x80) {
            length = 1;
            return 0xFFFD;
        }
        value = (value << 6) | (byte(i) & 0x3F);
    }
    length = count;
    return value;
}

}  // namespace

bool IsKnownCharset(const std::string& charset)
{
    return !charset.empty() && OpenIconv("UTF-8", charset) != nullptr;
}

bool DecodeToUtf8(std::string_view bytes, const std::string& charset, std::string& utf8)
{
    utf8.clear();
    const IconvHandle handle = charset.empty() ? nullptr : OpenIconv("UTF-8", charset);
    if (!handle)
        return false;
    utf8.reserve(bytes.size() + bytes.size() / 4);
    while (Convert(handle, bytes, utf8) != 0) {
        utf8 += kReplacement;
        bytes.remove_prefix(1);
    }
    return true;
}

bool EncodeFromUtf8(std::string_view utf8, const std::string& charset, std::string& bytes)
{
    bytes.clear();
    const IconvHandle handle = charset.empty() ? nullptr : OpenIconv(charset, "UTF-8");
    if (!handle)
        return false;
    bytes.reserve(utf8.size());
    while (Convert(handle, utf8, bytes) != 0) {
        std::size_t length = 1;
        const char32_t codePoint = NextCodePoint(utf8, length);
        utf8.remove_prefix(length);
        const std::string text = "&#" + std::to_string(static_cast<unsigned long>(codePoint)) + ";";
        std::string_view reference = text;
        Convert(handle, reference, bytes);
    }
    return true;
}

}  // namespace pollenta::html
