#include "MacroText.h"

#include "win/CodePage.h"

#include <cctype>
#include <cstdint>
#include <string_view>

namespace {

constexpr const char* kRtfLineBreak = "{\\*\\htmltag116 <BR>}\\htmlrtf \\line\r\n\\htmlrtf0 ";

const MacroValue* KeyAt(const std::string& text, std::size_t at, const MacroValueList& values)
{
    for (const MacroValue& entry : values) {
        if (!entry.key.empty() && text.compare(at, entry.key.size(), entry.key) == 0)
            return &entry;
    }
    return nullptr;
}

// The characters of an ANSI text as code points (surrogate pairs joined).
std::vector<char32_t> CodePoints(const std::string& value)
{
    std::u16string wide = ToWide(value, CP_ACP);
    std::vector<char32_t> points;
    for (std::size_t i = 0; i < wide.size(); ++i) {
        char32_t c = wide[i];
        if (c >= 0xD800 && c < 0xDC00 && i + 1 < wide.size() && wide[i + 1] >= 0xDC00 && wide[i + 1] < 0xE000) {
            c = 0x10000 + ((c - 0xD800) << 10) + (wide[i + 1] - 0xDC00);
            ++i;
        }
        points.push_back(c);
    }
    return points;
}

void AppendRtfUnicode(std::string& out, char32_t c)
{
    std::u16string units;
    if (c >= 0x10000) {
        units += static_cast<char16_t>(0xD800 + ((c - 0x10000) >> 10));
        units += static_cast<char16_t>(0xDC00 + ((c - 0x10000) & 0x3FF));
    } else {
        units += static_cast<char16_t>(c);
    }
    for (char16_t unit : units)
        out += "\\u" + std::to_string(static_cast<std::int16_t>(unit)) + "?";
}

}  // namespace

std::string ReplaceMacroKeys(const std::string& text, const MacroValueList& values)
{
    std::string result;
    result.reserve(text.size());
    for (std::size_t i = 0; i < text.size();) {
        const MacroValue* entry = text[i] == '%' ? KeyAt(text, i, values) : nullptr;
        if (!entry) {
            result += text[i++];
            continue;
        }
        result += entry->value;
        i += entry->key.size();
    }
    return result;
}

std::string EscapeTextForRtf(const std::string& value)
{
    std::vector<char32_t> points = CodePoints(value);
    std::string out;
    bool wide = false;
    for (std::size_t i = 0; i < points.size(); ++i) {
        char32_t c = points[i];
        if (c == '\\' || c == '{' || c == '}') {
            out += '\\';
            out += static_cast<char>(c);
        } else if (c == '\r' && i + 1 < points.size() && points[i + 1] == '\n') {
            out += kRtfLineBreak;
            ++i;
        } else if (c < 0x80) {
            out += static_cast<char>(c);
        } else {
            AppendRtfUnicode(out, c);
            wide = true;
        }
    }
    return wide ? "{\\uc1 " + out + "}" : out;
}

std::string EscapeTextForHtml(const std::string& value)
{
    std::string out;
    for (char32_t c : CodePoints(value)) {
        switch (c) {
        case '&': out += "&amp;"; break;
        case '<': out += "&lt;"; break;
        case '>': out += "&gt;"; break;
        case '"': out += "&quot;"; break;
        case '\'': out += "&#39;"; break;
        default:
            if (c < 0x80)
                out += static_cast<char>(c);
            else
                out += "&#" + std::to_string(static_cast<std::uint32_t>(c)) + ";";
        }
    }
    return out;
}

std::string EscapeTextForUrl(const std::string& value)
{
    static const char kDigits[] = "0123456789abcdef";
    static const std::string_view kSafe = "!'()*-./:_~%";
    std::string out;
    out.reserve(value.size());
    for (unsigned char c : value) {
        if (std::isalnum(c) && c < 0x80 || kSafe.find(static_cast<char>(c)) != std::string_view::npos) {
            out += static_cast<char>(c);
        } else {
            out += '%';
            out += kDigits[c >> 4];
            out += kDigits[c & 0x0F];
        }
    }
    return out;
}

MacroValueList EscapedMacroList(const MacroValueList& values, std::string (*escape)(const std::string&))
{
    MacroValueList escaped;
    escaped.reserve(values.size());
    for (const MacroValue& entry : values)
        escaped.push_back({entry.key, escape(entry.value)});
    return escaped;
}
