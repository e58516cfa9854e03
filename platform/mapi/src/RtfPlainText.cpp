#include "RtfPlainText.h"

#include "win/CodePage.h"

#include <cctype>
#include <set>
#include <vector>

namespace {

constexpr UINT kDefaultRtfCodePage = 1252;

// Destinations whose contents are never shown.
const std::set<std::string_view>& HiddenDestinations()
{
    static const std::set<std::string_view> names = {
        "fonttbl", "colortbl", "stylesheet", "info", "pict", "object", "header", "footer", "headerl", "headerr",
        "footerl", "footerr", "listtable", "listoverridetable", "rsidtbl", "generator", "themedata", "datastore",
        "latentstyles", "xmlnstbl", "filetbl", "revtbl", "fldinst"};
    return names;
}

struct GroupState {
    bool hidden = false;
    int unicodeSkip = 1;
};

class CRtfReader {
public:
    explicit CRtfReader(std::string_view rtf) : m_rtf(rtf) { m_groups.push_back({}); }

    std::u16string Read()
    {
        while (m_at < m_rtf.size()) {
            const char c = m_rtf[m_at++];
            if (c == '{')
                m_groups.push_back(m_groups.back());
            else if (c == '}')
                CloseGroup();
            else if (c == '\\')
                ControlWord();
            else if (c != '\r' && c != '\n')
                Byte(static_cast<unsigned char>(c));
        }
        FlushBytes();
        return m_text;
    }

private:
    void CloseGroup()
    {
        if (m_groups.size() > 1)
            m_groups.pop_back();
    }

    bool Hidden() const { return m_groups.back().hidden; }

    void Byte(unsigned char byte)
    {
        if (m_skipFallback > 0) {
            --m_skipFallback;
            return;
        }
        if (!Hidden())
            m_bytes += static_cast<char>(byte);
    }

    void FlushBytes()
    {
        if (!m_bytes.empty())
            m_text += ToWide(m_bytes, IsValidCodePage(m_codePage) ? m_codePage : kDefaultRtfCodePage);
        m_bytes.clear();
    }

    void Text(std::u16string_view text)
    {
        FlushBytes();
        if (!Hidden())
            m_text += text;
    }

    void ControlWord()
    {
        if (m_at >= m_rtf.size())
            return;
        const char first = m_rtf[m_at];
        if (!std::isalpha(static_cast<unsigned char>(first))) {
            ++m_at;
            ControlSymbol(first);
            return;
        }
        const std::size_t start = m_at;
        while (m_at < m_rtf.size() && std::isalpha(static_cast<unsigned char>(m_rtf[m_at])))
            ++m_at;
        const std::string_view word = m_rtf.substr(start, m_at - start);
        bool hasNumber = false;
        long number = 0;
        bool negative = m_at < m_rtf.size() && m_rtf[m_at] == '-';
        if (negative)
            ++m_at;
        while (m_at < m_rtf.size() && std::isdigit(static_cast<unsigned char>(m_rtf[m_at])) && number < 100000000) {
            number = number * 10 + (m_rtf[m_at++] - '0');
            hasNumber = true;
        }
        if (negative)
            number = -number;
        if (m_at < m_rtf.size() && m_rtf[m_at] == ' ')
            ++m_at;
        Apply(word, hasNumber, number);
    }

    void ControlSymbol(char symbol)
    {
        if (symbol == '\'' && m_at + 2 <= m_rtf.size()) {
            const std::string hex(m_rtf.substr(m_at, 2));
            m_at += 2;
            char* end = nullptr;
            const long byte = std::strtol(hex.c_str(), &end, 16);
            if (end == hex.c_str() + 2)
                Byte(static_cast<unsigned char>(byte));
        } else if (symbol == '*') {
            m_groups.back().hidden = true;
        } else if (symbol == '~') {
            Text(u"\u00A0");
        } else if (symbol == '_') {
            Text(u"-");
        } else if (symbol == '\\' || symbol == '{' || symbol == '}') {
            Byte(static_cast<unsigned char>(symbol));
        } else if (symbol == '\r' || symbol == '\n') {
            Text(u"\r\n");
        }
    }

    void Apply(std::string_view word, bool hasNumber, long number)
    {
        if (word == "par" || word == "line")
            Text(u"\r\n");
        else if (word == "tab")
            Text(u"\t");
        else if (word == "ansicpg" && hasNumber)
            m_codePage = static_cast<UINT>(number);
        else if (word == "uc" && hasNumber)
            m_groups.back().unicodeSkip = static_cast<int>(number);
        else if (word == "u" && hasNumber) {
            Text(std::u16string(1, static_cast<char16_t>(number < 0 ? number + 65536 : number)));
            m_skipFallback = m_groups.back().unicodeSkip;
        } else if (HiddenDestinations().count(word))
            m_groups.back().hidden = true;
    }

    std::string_view m_rtf;
    std::size_t m_at = 0;
    std::vector<GroupState> m_groups;
    UINT m_codePage = kDefaultRtfCodePage;
    int m_skipFallback = 0;
    std::string m_bytes;
    std::u16string m_text;
};

}  // namespace

std::u16string RtfPlainText(std::string_view rtf)
{
    return CRtfReader(rtf).Read();
}
