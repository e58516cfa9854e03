#include "WizardText.h"

#include <algorithm>

namespace {
constexpr std::string_view kBlanks = " \t\r\n";
}

std::string TrimBlanks(std::string_view text)
{
    text.remove_prefix(std::min(text.find_first_not_of(kBlanks), text.size()));
    text.remove_suffix(text.size() - std::min(text.find_last_not_of(kBlanks) + 1, text.size()));
    return std::string(text);
}

std::string LowerAscii(std::string text)
{
    for (char& c : text)
        c = (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
    return text;
}
