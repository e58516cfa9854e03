#include "InlineStyle.h"

#include "AsciiText.h"

#include <vector>

namespace pollenta::html {

namespace {

// Where a piece of the style text lies.
struct Span {
    std::size_t begin = std::string_view::npos;
    std::size_t end = std::string_view::npos;
    bool Found() const { return begin != std::string_view::npos; }
};

struct Declaration {
    std::string property;  // lower case
    Span value;            // trimmed
};

Span Trimmed(std::string_view text, std::size_t begin, std::size_t end)
{
    while (begin < end && static_cast<unsigned char>(text[begin]) <= ' ')
        ++begin;
    while (end > begin && static_cast<unsigned char>(text[end - 1]) <= ' ')
        --end;
    return {begin, end};
}

// The end of the declaration that starts at pos: the next ";" outside
// quotes and parentheses.
std::size_t DeclarationEnd(std::string_view text, std::size_t pos)
{
    char quote = 0;
    int depth = 0;
    for (; pos < text.size(); ++pos) {
        const char c = text[pos];
        if (quote) {
            quote = c == quote ? 0 : quote;
        } else if (c == '"' || c == '\'') {
            quote = c;
        } else if (c == '(') {
            ++depth;
        } else if (c == ')' && depth > 0) {
            --depth;
        } else if (c == ';' && depth == 0) {
            break;
        }
    }
    return pos;
}

std::vector<Declaration> Parse(std::string_view text)
{
    std::vector<Declaration> declarations;
    std::size_t pos = 0;
    while (pos < text.size()) {
        const std::size_t end = DeclarationEnd(text, pos);
        const std::size_t colon = text.find(':', pos);
        if (colon != std::string_view::npos && colon < end) {
            const Span name = Trimmed(text, pos, colon);
            declarations.push_back({AsciiLower(text.substr(name.begin, name.end - name.begin)),
                                    Trimmed(text, colon + 1, end)});
        }
        pos = end + 1;
    }
    return declarations;
}

// The last declaration of a property counts, as in a style sheet.
const Declaration* Find(const std::vector<Declaration>& declarations, std::string_view property)
{
    const Declaration* found = nullptr;
    for (const Declaration& declaration : declarations) {
        if (declaration.property == property)
            found = &declaration;
    }
    return found;
}

// The url( ... ) token inside a value, closing parenthesis included.
Span UrlToken(std::string_view text, Span value)
{
    const std::string lower = AsciiLower(text.substr(value.begin, value.end - value.begin));
    const std::size_t at = lower.find("url(");
    if (at == std::string::npos)
        return {};
    const std::size_t begin = value.begin + at;
    char quote = 0;
    for (std::size_t pos = begin + 4; pos < value.end; ++pos) {
        const char c = text[pos];
        if (quote)
            quote = c == quote ? 0 : quote;
        else if (c == '"' || c == '\'')
            quote = c;
        else if (c == ')')
            return {begin, pos + 1};
    }
    return {};
}

Span PictureSpan(std::string_view style, std::string_view longhand, std::string_view shorthand)
{
    const std::vector<Declaration> declarations = Parse(style);
    if (const Declaration* declaration = Find(declarations, longhand))
        return declaration->value;
    if (const Declaration* declaration = Find(declarations, shorthand))
        return UrlToken(style, declaration->value);
    return {};
}

// "url( 'a b.gif' )" reads "url(a b.gif)", as the old object model gave
// it, so that a value written back in quotes reads the same next time.
std::string WithoutQuotes(const std::string& value)
{
    const std::string lower = AsciiLower(value);
    if (lower.rfind("url(", 0) != 0 || value.back() != ')')
        return value;
    std::string inner = AsciiTrim(value.substr(4, value.size() - 5));
    if (inner.size() >= 2 && (inner.front() == '\'' || inner.front() == '"') && inner.back() == inner.front())
        inner = inner.substr(1, inner.size() - 2);
    return "url(" + inner + ")";
}

}  // namespace

std::string ReadPictureProperty(std::string_view style, std::string_view longhand, std::string_view shorthand)
{
    const Span span = PictureSpan(style, longhand, shorthand);
    return span.Found() ? WithoutQuotes(std::string(style.substr(span.begin, span.end - span.begin))) : std::string();
}

std::string WritePictureProperty(std::string_view style, std::string_view longhand, std::string_view shorthand,
                                 std::string_view value)
{
    const Span span = PictureSpan(style, longhand, shorthand);
    if (span.Found())
        return std::string(style.substr(0, span.begin)) + std::string(value) + std::string(style.substr(span.end));
    std::string text = AsciiTrim(style);
    while (!text.empty() && (text.back() == ';' || static_cast<unsigned char>(text.back()) <= ' '))
        text.pop_back();
    if (!text.empty())
        text += "; ";
    return text + std::string(longhand) + ": " + std::string(value);
}

}  // namespace pollenta::html
