#include "CharsetDetector.h"

#include "AsciiText.h"
#include "TextCodec.h"

#include "html/EncodingLabels.h"

namespace pollenta::html {

namespace {

// A META written by an editor sits in the head; no page puts it further.
constexpr std::size_t kPrescanLimit = 65536;

struct Attribute {
    std::string name;
    std::string value;
};

bool IsSpace(char c)
{
    return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\f' || c == '/';
}

// Reads one attribute at pos inside a tag; false at the tag's end.
bool ReadAttribute(std::string_view text, std::size_t& pos, Attribute& attribute)
{
    while (pos < text.size() && IsSpace(text[pos]))
        ++pos;
    if (pos >= text.size() || text[pos] == '>')
        return false;
    const std::size_t nameStart = pos;
    while (pos < text.size() && !IsSpace(text[pos]) && text[pos] != '=' && text[pos] != '>')
        ++pos;
    attribute.name = AsciiLower(text.substr(nameStart, pos - nameStart));
    attribute.value.clear();
    while (pos < text.size() && (text[pos] == ' ' || text[pos] == '\t' || text[pos] == '\r' || text[pos] == '\n'))
        ++pos;
    if (pos >= text.size() || text[pos] != '=')
        return true;
    ++pos;
    while (pos < text.size() && (text[pos] == ' ' || text[pos] == '\t' || text[pos] == '\r' || text[pos] == '\n'))
        ++pos;
    if (pos < text.size() && (text[pos] == '"' || text[pos] == '\'')) {
        const char quote = text[pos++];
        const std::size_t end = text.find(quote, pos);
        const std::size_t stop = end == std::string_view::npos ? text.size() : end;
        attribute.value = text.substr(pos, stop - pos);
        pos = end == std::string_view::npos ? text.size() : end + 1;
        return true;
    }
    const std::size_t valueStart = pos;
    while (pos < text.size() && text[pos] != '>' && text[pos] != ' ' && text[pos] != '\t' && text[pos] != '\r' &&
           text[pos] != '\n')
        ++pos;
    attribute.value = text.substr(valueStart, pos - valueStart);
    return true;
}

std::string CharsetFromContent(const std::string& content)
{
    const std::string lower = AsciiLower(content);
    const std::size_t at = lower.find("charset");
    if (at == std::string::npos)
        return {};
    std::size_t pos = at + 7;
    while (pos < lower.size() && lower[pos] == ' ')
        ++pos;
    if (pos >= lower.size() || lower[pos] != '=')
        return {};
    ++pos;
    while (pos < lower.size() && (lower[pos] == ' ' || lower[pos] == '"' || lower[pos] == '\''))
        ++pos;
    const std::size_t end = lower.find_first_of(" ;\"'", pos);
    return lower.substr(pos, end == std::string::npos ? std::string::npos : end - pos);
}

std::string CharsetOfMeta(std::string_view text, std::size_t pos)
{
    Attribute attribute;
    bool contentType = false;
    std::string fromContent;
    while (ReadAttribute(text, pos, attribute)) {
        if (attribute.name == "charset")
            return AsciiLower(AsciiTrim(attribute.value));
        if (attribute.name == "http-equiv")
            contentType = AsciiLower(AsciiTrim(attribute.value)) == "content-type";
        else if (attribute.name == "content")
            fromContent = CharsetFromContent(attribute.value);
    }
    return contentType ? fromContent : std::string();
}

// The encoding a META's label names, as browsers read labels; "" for one
// they do not know. A META that names UTF-16 in bytes that are plainly
// ASCII-compatible (no byte-order mark) is wrong about itself; browsers
// read such pages as UTF-8.
std::string Usable(const std::string& label)
{
    const std::string encoding = EncodingOfLabel(label);
    if (encoding == "utf-16le" || encoding == "utf-16be")
        return "utf-8";
    return IsKnownCharset(encoding) ? encoding : std::string();
}

}  // namespace

std::string CharsetFromMetaPrescan(std::string_view bytes)
{
    const std::string_view text = bytes.substr(0, kPrescanLimit);
    std::size_t pos = 0;
    while ((pos = text.find('<', pos)) != std::string_view::npos) {
        if (text.substr(pos, 4) == "<!--") {
            const std::size_t end = text.find("-->", pos + 4);
            if (end == std::string_view::npos)
                break;
            pos = end + 3;
            continue;
        }
        if (AsciiLower(text.substr(pos + 1, 4)) == "meta" && pos + 5 < text.size() && IsSpace(text[pos + 5])) {
            const std::string charset = CharsetOfMeta(text, pos + 5);
            if (!charset.empty())
                return charset;
        }
        ++pos;
    }
    return {};
}

bool IsValidUtf8(std::string_view bytes)
{
    std::size_t i = 0;
    while (i < bytes.size()) {
        const unsigned char lead = static_cast<unsigned char>(bytes[i]);
        std::size_t count = lead < 0x80                      ? 1
                            : (lead >= 0xC2 && lead <= 0xDF) ? 2
                            : (lead >> 4) == 0xE             ? 3
                            : (lead >= 0xF0 && lead <= 0xF4) ? 4
                                                             : 0;
        if (count == 0 || i + count > bytes.size())
            return false;
        for (std::size_t k = 1; k < count; ++k) {
            if ((static_cast<unsigned char>(bytes[i + k]) & 0xC0) != 0x80)
                return false;
        }
        i += count;
    }
    return true;
}

DetectedCharset DetectCharset(std::string_view bytes)
{
    if (bytes.substr(0, 3) == "\xEF\xBB\xBF")
        return {"utf-8", 3};
    if (bytes.substr(0, 2) == "\xFF\xFE")
        return {"utf-16le", 2};
    if (bytes.substr(0, 2) == "\xFE\xFF")
        return {"utf-16be", 2};
    const std::string fromMeta = Usable(CharsetFromMetaPrescan(bytes));
    if (!fromMeta.empty())
        return {fromMeta, 0};
    return {IsValidUtf8(bytes) ? "utf-8" : "windows-1252", 0};
}

}  // namespace pollenta::html
