#include "wizard/SqlIdentifier.h"

std::string SqlIdentifier(const std::string& name)
{
    if (name.find(']') == std::string::npos)
        return "[" + name + "]";
    std::string quoted = "\"";
    for (char c : name)
        quoted += c == '"' ? std::string("\"\"") : std::string(1, c);
    return quoted + "\"";
}

std::string UnbracketedName(const std::string& name)
{
    if (name.size() >= 2 && name.front() == '[' && name.back() == ']' &&
        name.find(']') == name.size() - 1)
        return name.substr(1, name.size() - 2);
    return name;
}
