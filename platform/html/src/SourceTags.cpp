#include "SourceTags.h"

#include "AsciiText.h"

namespace pollenta::html {

namespace {

constexpr std::size_t npos = std::string_view::npos;

bool IsLetter(char c)
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

bool IsBlank(char c)
{
    return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\f';
}

// Past the '>' that ends a tag whose name ends at pos; quoted values may
// hold '>'.
std::size_t SkipAttributes(std::string_view text, std::size_t pos)
{
    while (pos < text.size()) {
        const char c = text[pos];
        if (c == '>')
            return pos + 1;
        if (c != '=') {
            ++pos;
            continue;
        }
        ++pos;
        while (pos < text.size() && IsBlank(text[pos]))
            ++pos;
        if (pos < text.size() && (text[pos] == '"' || text[pos] == '\'')) {
            const std::size_t close = text.find(text[pos], pos + 1);
            pos = close == npos ? text.size() : close + 1;
        }
    }
    return text.size();
}

// Where the end tag of a raw-text element begins ("</script" in any case),
// or the end of the text.
std::size_t FindEndTag(std::string_view text, std::size_t pos, const std::string& name)
{
    for (pos = text.find("</", pos); pos != npos; pos = text.find("</", pos + 2)) {
        if (EqualsNoCase(text.substr(pos + 2, name.size()), name))
            return pos;
    }
    return text.size();
}

bool HoldsRawText(const std::string& name)
{
    return name == "script" || name == "style";
}

bool ShowsTagsAsText(const std::string& name)
{
    for (const char* element : {"textarea", "title", "xmp", "iframe", "noembed", "noframes", "plaintext"}) {
        if (name == element)
            return true;
    }
    return false;
}

}  // namespace

std::vector<SourceTag> ScanSourceTags(std::string_view text)
{
    std::vector<SourceTag> tags;
    std::string inertUntil;  // the element whose text we are in; plaintext never ends
    std::size_t pos = 0;
    while ((pos = text.find('<', pos)) != npos) {
        if (text.substr(pos, 4) == "<!--") {
            const std::size_t end = text.find("-->", pos + 4);
            pos = end == npos ? text.size() : end + 3;
            continue;
        }
        if (pos + 1 < text.size() && (text[pos + 1] == '!' || text[pos + 1] == '?')) {
            const std::size_t end = text.find('>', pos);
            pos = end == npos ? text.size() : end + 1;
            continue;
        }
        const bool isEnd = pos + 1 < text.size() && text[pos + 1] == '/';
        const std::size_t nameStart = pos + (isEnd ? 2 : 1);
        if (nameStart >= text.size() || !IsLetter(text[nameStart])) {
            ++pos;
            continue;
        }
        std::size_t nameEnd = nameStart;
        while (nameEnd < text.size() && !IsBlank(text[nameEnd]) && text[nameEnd] != '/' && text[nameEnd] != '>')
            ++nameEnd;
        const std::string name = AsciiLower(text.substr(nameStart, nameEnd - nameStart));
        pos = SkipAttributes(text, nameEnd);
        const bool inert = !inertUntil.empty();
        if (inert && isEnd && name == inertUntil && name != "plaintext") {
            inertUntil.clear();
            continue;
        }
        if (!isEnd || !inert)
            tags.push_back({name, isEnd, inert});
        if (isEnd)
            continue;
        if (HoldsRawText(name))
            pos = FindEndTag(text, pos, name);
        else if (!inert && ShowsTagsAsText(name))
            inertUntil = name;
    }
    return tags;
}

}  // namespace pollenta::html
