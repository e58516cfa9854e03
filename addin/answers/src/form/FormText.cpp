#include "form/FormText.h"

bool IsFormBlank(char c)
{
    return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\v' || c == '\f';
}

std::string TrimBlanks(std::string_view text)
{
    std::size_t begin = 0;
    std::size_t end = text.size();
    while (end > begin && IsFormBlank(text[end - 1]))
        --end;
    while (begin < end && IsFormBlank(text[begin]))
        ++begin;
    return std::string(text.substr(begin, end - begin));
}
