#include "MimeText.h"

#include "EncodedWords.h"

#include <gmime/gmime.h>
#include <iconv.h>

#include <cerrno>
#include <string_view>
#include <strings.h>

namespace {

constexpr const char* kReplacement = "\xEF\xBF\xBD";
constexpr const char* kGuessCharset = "WINDOWS-1252";

bool IsUtf8(std::span<const BYTE> bytes)
{
    return g_utf8_validate(reinterpret_cast<const char*>(bytes.data()), static_cast<gssize>(bytes.size()), nullptr);
}

// Converts with iconv; false when the charset is not known at all.
bool Convert(std::span<const BYTE> bytes, const char* from, std::string& out, bool& lossy)
{
    iconv_t cd = iconv_open("UTF-8", from);
    if (cd == reinterpret_cast<iconv_t>(-1))
        return false;
    char* in = const_cast<char*>(reinterpret_cast<const char*>(bytes.data()));
    std::size_t inLeft = bytes.size();
    char buffer[4096];
    while (inLeft > 0) {
        char* o = buffer;
        std::size_t outLeft = sizeof buffer;
        const std::size_t rc = iconv(cd, &in, &inLeft, &o, &outLeft);
        out.append(buffer, o);
        if (rc == static_cast<std::size_t>(-1) && errno != E2BIG) {
            // An unmappable or cut-off sequence: mark it and go on after it.
            out += kReplacement;
            lossy = true;
            ++in;
            --inLeft;
            iconv(cd, nullptr, nullptr, nullptr, nullptr);
        }
    }
    char* o = buffer;
    std::size_t outLeft = sizeof buffer;
    iconv(cd, nullptr, nullptr, &o, &outLeft);
    out.append(buffer, o);
    iconv_close(cd);
    return true;
}

std::string MadeValid(const char* text, gssize length)
{
    gchar* valid = g_utf8_make_valid(text, length);
    std::string out(valid);
    g_free(valid);
    return out;
}

// The converter lets through some sequences that are not UTF-8 at all (code
// points past U+10FFFF from a charset name it maps onto its own UTF-8 reader);
// each such byte becomes U+FFFD. NULs are left for the caller to judge.
std::string ReplaceInvalidSequences(const std::string& text, bool& lossy)
{
    std::string out;
    const char* p = text.data();
    const char* const stop = p + text.size();
    while (p < stop) {
        const gchar* end = nullptr;
        if (g_utf8_validate(p, stop - p, &end)) {
            out.append(p, stop);
            break;
        }
        out.append(p, end);
        if (*end == '\0') {
            out.push_back('\0');
        } else {
            out += kReplacement;
            lossy = true;
        }
        p = end + 1;
    }
    return out;
}

std::string ConvertText(std::span<const BYTE> bytes, const std::string& charset, std::vector<std::string>& warnings)
{
    const char* name = charset.empty() ? nullptr : g_mime_charset_iconv_name(charset.c_str());
    std::string out;
    bool lossy = false;
    if (name && (strcasecmp(name, "UTF-8") == 0 || strcasecmp(name, "utf8") == 0)) {
        if (IsUtf8(bytes))
            return std::string(bytes.begin(), bytes.end());
        warnings.push_back("text declared as UTF-8 holds invalid bytes; they were replaced");
        return MadeValid(reinterpret_cast<const char*>(bytes.data()), static_cast<gssize>(bytes.size()));
    }
    if (name && Convert(bytes, name, out, lossy)) {
        out = ReplaceInvalidSequences(out, lossy);
        if (lossy)
            warnings.push_back("text holds bytes that charset \"" + charset + "\" cannot map; they were replaced");
        return out;
    }
    if (IsUtf8(bytes)) {
        if (!charset.empty())
            warnings.push_back("unknown charset \"" + charset + "\"; the text was read as UTF-8");
        return std::string(bytes.begin(), bytes.end());
    }
    warnings.push_back(charset.empty() ? std::string("text without a charset was read as windows-1252")
                                       : "unknown charset \"" + charset + "\"; the text was read as windows-1252");
    out.clear();
    Convert(bytes, kGuessCharset, out, lossy);
    return out;
}

// The text of an encoded word with each byte above 0x7F written as "=XX".
std::string EscapedQText(std::string_view text)
{
    static constexpr char kHex[] = "0123456789ABCDEF";
    std::string out;
    for (char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x80)
            out += c;
        else
            out += {'=', kHex[byte >> 4], kHex[byte & 15]};
    }
    return out;
}

} // namespace

std::string TextToUtf8(std::span<const BYTE> bytes, const std::string& charset, std::vector<std::string>& warnings)
{
    std::string text = ConvertText(bytes, charset, warnings);
    // A NUL would end the text wherever it is handed on as a C string.
    if (text.find('\0') == std::string::npos)
        return text;
    warnings.push_back("text holds NUL characters; they were replaced");
    std::string out;
    for (char c : text) {
        if (c == '\0')
            out += kReplacement;
        else
            out += c;
    }
    return out;
}

std::string ValidUtf8(const char* text, const char* what, std::vector<std::string>& warnings)
{
    if (!text)
        return {};
    if (g_utf8_validate(text, -1, nullptr))
        return text;
    warnings.push_back(std::string(what) + " holds bytes that are not text; they were replaced");
    return MadeValid(text, -1);
}

std::string EscapeRawBytesInEncodedWords(const char* raw)
{
    std::string text = raw ? raw : "";
    // "=?charset?Q?text?=", the text on one line.
    std::size_t start = 0;
    while ((start = text.find("=?", start)) != std::string::npos) {
        const std::size_t mark = text.find('?', start + 2);
        const std::size_t first = mark + 3;
        if (mark == std::string::npos || first > text.size() || text[first - 1] != '?' ||
            !IsCharsetName(std::string_view(text).substr(start + 2, mark - start - 2))) {
            start += 2;
            continue;
        }
        std::size_t end = text.find("?=", first);
        if (end == std::string::npos || text.find_first_of("\r\n", first) < end) {
            start += 2;
            continue;
        }
        if (g_ascii_tolower(text[mark + 1]) == 'q') {
            const std::string word = EscapedQText(std::string_view(text).substr(first, end - first));
            text.replace(first, end - first, word);
            end = first + word.size();
        }
        start = end + 2;
    }
    return text;
}
