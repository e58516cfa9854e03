#include "RecordFilter.h"

#include "Utf8.h"

#include <cctype>
#include <cstdlib>

namespace pollenta::ado {

namespace {

std::string Upper(std::string text)
{
    for (char& c : text)
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return text;
}

void SkipBlanks(const std::string& text, std::size_t& pos)
{
    while (pos < text.size() && std::isspace(static_cast<unsigned char>(text[pos])))
        ++pos;
}

bool ReadColumnName(const std::string& text, std::size_t& pos, std::string& name)
{
    SkipBlanks(text, pos);
    if (pos < text.size() && text[pos] == '[') {
        const std::size_t end = text.find(']', pos);
        if (end == std::string::npos)
            return false;
        name = text.substr(pos + 1, end - pos - 1);
        pos = end + 1;
        return true;
    }
    const std::size_t start = pos;
    while (pos < text.size() && (std::isalnum(static_cast<unsigned char>(text[pos])) || text[pos] == '_'))
        ++pos;
    name = text.substr(start, pos - start);
    return !name.empty();
}

bool ReadOperator(const std::string& text, std::size_t& pos, std::string& op)
{
    SkipBlanks(text, pos);
    for (const char* candidate : {"<>", "<=", ">=", "=", "<", ">"}) {
        if (text.compare(pos, std::char_traits<char>::length(candidate), candidate) == 0) {
            op = candidate;
            pos += op.size();
            return true;
        }
    }
    return false;
}

bool ReadValue(const std::string& text, std::size_t& pos, std::string& value)
{
    SkipBlanks(text, pos);
    value.clear();
    if (pos < text.size() && text[pos] == '\'') {
        for (++pos; pos < text.size(); ++pos) {
            if (text[pos] == '\'') {
                if (pos + 1 < text.size() && text[pos + 1] == '\'') {
                    value += '\'';
                    ++pos;
                    continue;
                }
                ++pos;
                return true;
            }
            value += text[pos];
        }
        return false;
    }
    const std::size_t start = pos;
    while (pos < text.size() && !std::isspace(static_cast<unsigned char>(text[pos])))
        ++pos;
    value = text.substr(start, pos - start);
    return !value.empty();
}

std::string TextOf(const CComVariant& value)
{
    if (value.vt == VT_BSTR)
        return Utf8FromBstr(value.bstrVal);
    CComVariant text;
    if (FAILED(VariantChangeType(&text, &value, 0, VT_BSTR)) || text.vt != VT_BSTR)
        return {};
    return Utf8FromBstr(text.bstrVal);
}

int Compare(const std::string& left, const std::string& right)
{
    char* leftEnd = nullptr;
    char* rightEnd = nullptr;
    const double a = std::strtod(left.c_str(), &leftEnd);
    const double b = std::strtod(right.c_str(), &rightEnd);
    if (!left.empty() && !right.empty() && *leftEnd == '\0' && *rightEnd == '\0')
        return a < b ? -1 : a > b ? 1 : 0;
    return Upper(left).compare(Upper(right));
}

}  // namespace

bool RecordFilter::Parse(const std::string& criteria, const std::vector<ColumnInfo>& columns, std::string& reason)
{
    m_terms.clear();
    std::size_t pos = 0;
    for (;;) {
        std::string name;
        Term term;
        if (!ReadColumnName(criteria, pos, name) || !ReadOperator(criteria, pos, term.op) ||
            !ReadValue(criteria, pos, term.value)) {
            reason = "The filter \"" + criteria + "\" cannot be read.";
            return false;
        }
        term.column = columns.size();
        for (std::size_t i = 0; i < columns.size(); ++i) {
            if (Upper(columns[i].name) == Upper(name))
                term.column = i;
        }
        if (term.column == columns.size()) {
            reason = "The filter names the column \"" + name + "\", which the recordset does not have.";
            return false;
        }
        m_terms.push_back(term);
        SkipBlanks(criteria, pos);
        if (pos >= criteria.size())
            return true;
        if (Upper(criteria.substr(pos, 4)) != "AND " && Upper(criteria.substr(pos, 4)) != "AND\t") {
            reason = "The filter \"" + criteria + "\" cannot be read.";
            return false;
        }
        pos += 3;
    }
}

bool RecordFilter::Matches(const std::vector<CComVariant>& row) const
{
    for (const Term& term : m_terms) {
        const int order = Compare(TextOf(row[term.column]), term.value);
        const bool holds = term.op == "=" ? order == 0 : term.op == "<>" ? order != 0 : term.op == "<" ? order < 0
                         : term.op == ">" ? order > 0 : term.op == "<=" ? order <= 0 : order >= 0;
        if (!holds)
            return false;
    }
    return true;
}

}  // namespace pollenta::ado
