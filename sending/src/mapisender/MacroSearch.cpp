#include "MacroSearch.h"

#include "CZrMAPIHelper.h"

namespace {

const std::string& NameOf(const CZrUniformMacro& macro, char) { return macro.m_strName; }
const std::u16string& NameOf(const CZrUniformMacro& macro, char16_t) { return macro.m_wstrName; }

const std::string& FormOf(const CZrUniformMacro& macro, bool escaped, bool subject, int format, char)
{
    if (escaped)
        return macro.m_strEscape;
    if (subject || format == CZrMAPIHelper::FormatPlain)
        return macro.m_strValue;
    return format == CZrMAPIHelper::FormatHtml ? macro.m_strHtml : macro.m_strRtf;
}

const std::u16string& FormOf(const CZrUniformMacro& macro, bool escaped, bool subject, int format, char16_t)
{
    if (escaped)
        return macro.m_wstrEscape;
    return !subject && format == CZrMAPIHelper::FormatHtml ? macro.m_wstrHtml : macro.m_wstrValue;
}

template <class Char>
bool EscapePairAt(std::basic_string_view<Char> text, std::size_t at)
{
    return at + 1 < text.size() && text[at] == Char('2') && text[at + 1] == Char('5');
}

// The macro starting at `at`, with the position after it; null when none.
template <class Char>
const CZrUniformMacro* CompareWithMacro(std::basic_string_view<Char> text, std::size_t at, const CZrUniformMacros& list,
                                        bool& escaped, std::size_t& next)
{
    if (text[at] != Char('%'))
        return nullptr;
    escaped = EscapePairAt(text, at + 1);
    const std::size_t nameAt = at + (escaped ? 3 : 1);
    for (const CZrUniformMacro& macro : list) {
        const auto& name = NameOf(macro, Char());
        if (name.empty() || text.compare(nameAt, name.size(), name) != 0)
            continue;
        std::size_t end = nameAt + name.size();
        if (end < text.size() && text[end] == Char('%')) {
            if (!escaped) {
                end += 1;
            } else if (EscapePairAt(text, end + 1)) {
                end += 3;
            } else {
                continue;
            }
        }
        next = end;
        return &macro;
    }
    return nullptr;
}

template <class Char>
std::basic_string<Char> Replace(std::basic_string_view<Char> source, const CZrUniformMacros& list, bool subject,
                                int format)
{
    std::basic_string<Char> out;
    out.reserve(source.size());
    for (std::size_t i = 0; i < source.size();) {
        bool escaped = false;
        std::size_t next = 0;
        const CZrUniformMacro* macro = CompareWithMacro(source, i, list, escaped, next);
        if (!macro) {
            out += source[i++];
            continue;
        }
        out += FormOf(*macro, escaped, subject, format, Char());
        i = next;
    }
    return out;
}

}  // namespace

std::string SearchAndReplace(std::string_view source, const CZrUniformMacros& list, bool subject, int bodyFormat)
{
    return Replace(source, list, subject, bodyFormat);
}

std::u16string SearchAndReplace(std::u16string_view source, const CZrUniformMacros& list, bool subject,
                                int bodyFormat)
{
    return Replace(source, list, subject, bodyFormat);
}
