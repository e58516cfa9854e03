#include "AsciiText.h"

namespace pollenta::html {

namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\f'; }

char Lower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

}  // namespace

std::string AsciiLower(std::string_view text)
{
    std::string result(text);
    for (char& c : result)
        c = Lower(c);
    return result;
}

std::string AsciiUpper(std::string_view text)
{
    std::string result(text);
    for (char& c : result) {
        if (c >= 'a' && c <= 'z')
            c = static_cast<char>(c - 'a' + 'A');
    }
    return result;
}

std::string AsciiTrim(std::string_view text)
{
    std::size_t first = 0;
    std::size_t last = text.size();
    while (first < last && IsBlank(text[first]))
        ++first;
    while (last > first && IsBlank(text[last - 1]))
        --last;
    return std::string(text.substr(first, last - first));
}

std::string CollapseBlanks(std::string_view text)
{
    std::string result;
    bool pendingBlank = false;
    for (char c : text) {
        if (IsBlank(c)) {
            pendingBlank = !result.empty();
            continue;
        }
        if (pendingBlank)
            result += ' ';
        pendingBlank = false;
        result += c;
    }
    return result;
}

bool EqualsNoCase(std::string_view a, std::string_view b)
{
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (Lower(a[i]) != Lower(b[i]))
            return false;
    }
    return true;
}

}  // namespace pollenta::html
