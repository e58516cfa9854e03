#include "SqlName.h"

namespace pollenta::ado {

std::string QuoteIdentifier(const std::string& name)
{
    std::string quoted = "\"";
    for (char c : name) {
        quoted += c;
        if (c == '"')
            quoted += '"';
    }
    return quoted + "\"";
}

std::string SourceTableName(const std::string& source)
{
    const auto first = source.find_first_not_of(" \t\r\n");
    if (first == std::string::npos)
        return {};
    const std::string text = source.substr(first, source.find_last_not_of(" \t\r\n") - first + 1);
    const char open = text.front();
    const char close = open == '[' ? ']' : open;
    if (text.size() < 2 || (open != '[' && open != '"' && open != '`') || text.back() != close)
        return text;
    std::string name;
    for (std::size_t i = 1; i + 1 < text.size(); ++i) {
        name += text[i];
        if (text[i] == close && text[i + 1] == close && i + 2 < text.size())
            ++i;
    }
    return name;
}

}  // namespace pollenta::ado
