#include "FormTextParser.h"

#include "FormTextLiteral.h"

#include <cctype>
#include <cstdlib>

namespace pollenta::access {

namespace {

std::string_view Trim(std::string_view text)
{
    while (!text.empty() && std::isspace(static_cast<unsigned char>(text.front())))
        text.remove_prefix(1);
    while (!text.empty() && std::isspace(static_cast<unsigned char>(text.back())))
        text.remove_suffix(1);
    return text;
}

bool IsWord(std::string_view line, std::string_view word)
{
    return line.size() == word.size() && std::equal(line.begin(), line.end(), word.begin(), [](char a, char b) {
               return std::tolower(static_cast<unsigned char>(a)) == std::tolower(static_cast<unsigned char>(b));
           });
}

// "Begin Keyword": the keyword; "" for anything else.
std::string_view BlockKeyword(std::string_view line)
{
    if (line.size() < 7 || !IsWord(line.substr(0, 6), "Begin "))
        return {};
    std::string_view keyword = Trim(line.substr(6));
    return keyword.find('=') == std::string_view::npos ? keyword : std::string_view();
}

bool IsNumber(std::string_view text)
{
    size_t i = (!text.empty() && (text[0] == '-' || text[0] == '+')) ? 1 : 0;
    bool digits = false, point = false;
    for (; i < text.size(); ++i) {
        if (std::isdigit(static_cast<unsigned char>(text[i])))
            digits = true;
        else if (text[i] == '.' && !point)
            point = true;
        else
            return false;
    }
    return digits;
}

int HexDigit(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return c >= 'a' && c <= 'f' ? c - 'a' + 10 : -1;
}

bool IsHexLine(std::string_view line) { return line.size() >= 2 && line[0] == '0' && (line[1] == 'x' || line[1] == 'X'); }

}  // namespace

FormTextParser::FormTextParser(const std::string& utf8Text) : m_text(utf8Text)
{
    std::string_view rest = m_text;
    while (!rest.empty()) {
        const size_t end = rest.find('\n');
        std::string_view line = rest.substr(0, end);
        if (!line.empty() && line.back() == '\r')
            line.remove_suffix(1);
        m_lines.push_back(line);
        rest = end == std::string_view::npos ? std::string_view() : rest.substr(end + 1);
    }
}

void FormTextParser::Fail(const std::string& text) const { throw FormTextFault{static_cast<int>(m_next), text}; }

bool FormTextParser::Next(std::string_view& line)
{
    if (m_next >= m_lines.size())
        return false;
    line = Trim(m_lines[m_next++]);
    return true;
}

bool FormTextParser::NextNonBlank(std::string_view& line)
{
    while (Next(line))
        if (!line.empty())
            return true;
    return false;
}

FormTextDocument FormTextParser::Parse()
{
    FormTextDocument document;
    std::string_view line;
    while (true) {
        if (!NextNonBlank(line))
            Fail("the text holds no \"Begin Form\"");
        const std::string_view keyword = BlockKeyword(line);
        if (!keyword.empty()) {
            document.form.keyword = keyword;
            document.form.line = static_cast<int>(m_next);
            break;
        }
        if (line.find('=') == std::string_view::npos)
            Fail("expected a setting or \"Begin Form\", found \"" + std::string(line) + "\"");
        document.header.push_back(ParseProperty(line));
    }
    ParseBlock(document.form, 1, 0);
    while (NextNonBlank(line)) {
        if (IsWord(line, "CodeBehindForm")) {
            document.codeBehind = RemainingLines();
            break;
        }
    }
    return document;
}

std::string FormTextParser::RemainingLines()
{
    std::string code;
    for (; m_next < m_lines.size(); ++m_next) {
        code += m_lines[m_next];
        code += '\n';
    }
    return code;
}

// The lines of a block up to its End: settings, further blocks, and lists
// of blocks ("Begin" alone) whose blocks belong to the block itself. A
// list holds blocks only.
void FormTextParser::ParseBlock(FormTextBlock& block, int depth, int listLine)
{
    if (depth > kMaxDepth)
        Fail("blocks nest deeper than " + std::to_string(kMaxDepth) + " levels");
    std::string_view line;
    while (NextNonBlank(line)) {
        if (IsWord(line, "End"))
            return;
        if (IsWord(line, "Begin")) {
            ParseBlock(block, depth + 1, static_cast<int>(m_next));
            continue;
        }
        const std::string_view keyword = BlockKeyword(line);
        if (!keyword.empty()) {
            FormTextBlock& child = block.children.emplace_back();
            child.keyword = keyword;
            child.line = static_cast<int>(m_next);
            ParseBlock(child, depth + 1, 0);
            continue;
        }
        if (listLine)
            Fail("expected \"Begin <control>\" or \"End\" in a list of blocks, found \"" + std::string(line) + "\"");
        if (line.find('=') == std::string_view::npos)
            Fail("expected a setting, \"Begin\" or \"End\", found \"" + std::string(line) + "\"");
        block.properties.push_back(ParseProperty(line));
    }
    if (listLine)
        throw FormTextFault{listLine, "the list of blocks begun here has no End"};
    throw FormTextFault{block.line, "the block \"" + block.keyword + "\" has no End"};
}

FormTextProperty FormTextParser::ParseProperty(std::string_view line)
{
    FormTextProperty property;
    const size_t equals = line.find('=');
    property.name = Trim(line.substr(0, equals));
    if (property.name.empty())
        Fail("a setting without a name");
    const std::string_view value = Trim(line.substr(equals + 1));
    if (IsWord(value, "NotDefault")) {
        property.kind = FormTextProperty::Kind::NotDefault;
    } else if (IsWord(value, "Begin")) {
        ReadBeginBlock(property);
    } else if (!value.empty() && value[0] == '"') {
        property.kind = FormTextProperty::Kind::Text;
        if (!ReadQuoted(value, property.text))
            Fail("the text of \"" + property.name + "\" has no closing quote");
        ReadContinuations(property.text);
    } else if (IsNumber(value)) {
        property.kind = FormTextProperty::Kind::Number;
        property.text = value;
        property.number = std::strtod(property.text.c_str(), nullptr);
    } else {
        property.text = value;
    }
    return property;
}

// Long strings go on over lines that hold only a further quoted piece.
void FormTextParser::ReadContinuations(std::string& text)
{
    while (m_next < m_lines.size()) {
        const std::string_view line = Trim(m_lines[m_next]);
        if (line.empty() || line[0] != '"')
            return;
        ++m_next;
        if (!ReadQuoted(line, text))
            Fail("a continued text has no closing quote");
    }
}

void FormTextParser::ReadBeginBlock(FormTextProperty& property)
{
    const int begin = static_cast<int>(m_next);
    std::string_view line;
    if (!NextNonBlank(line))
        throw FormTextFault{begin, "the data of \"" + property.name + "\" has no End"};
    if (!IsHexLine(line) && !IsWord(line, "End")) {
        ReadMacroLines(property, line);
        return;
    }
    property.kind = FormTextProperty::Kind::Binary;
    while (!IsWord(line, "End")) {
        if (!IsHexLine(line))
            Fail("expected a line of hex digits in the data of \"" + property.name + "\"");
        size_t i = 2;
        for (; i + 1 < line.size() && HexDigit(line[i]) >= 0 && HexDigit(line[i + 1]) >= 0; i += 2)
            property.bytes.push_back(static_cast<std::uint8_t>(HexDigit(line[i]) * 16 + HexDigit(line[i + 1])));
        const std::string_view tail = Trim(line.substr(i));
        if (!tail.empty() && tail != ",")
            Fail("bad hex digits in the data of \"" + property.name + "\"");
        if (!NextNonBlank(line))
            throw FormTextFault{begin, "the data of \"" + property.name + "\" has no End"};
    }
}

// An embedded macro: text lines with blocks of their own, up to the End that
// closes it.
void FormTextParser::ReadMacroLines(FormTextProperty& property, std::string_view first)
{
    const int begin = static_cast<int>(m_next) - 1;
    property.kind = FormTextProperty::Kind::Macro;
    int depth = 0;
    std::string_view line = first;
    while (true) {
        if (IsWord(line, "End")) {
            if (depth == 0)
                return;
            --depth;
        } else if (IsWord(line, "Begin") || !BlockKeyword(line).empty() ||
                   (line.find('=') != std::string_view::npos && IsWord(Trim(line.substr(line.find('=') + 1)), "Begin"))) {
            if (++depth > kMaxDepth)
                Fail("blocks nest deeper than " + std::to_string(kMaxDepth) + " levels");
        }
        property.text += line;
        property.text += '\n';
        if (!NextNonBlank(line))
            throw FormTextFault{begin, "the macro \"" + property.name + "\" has no End"};
    }
}

}  // namespace pollenta::access
