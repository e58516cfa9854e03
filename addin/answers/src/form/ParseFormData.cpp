#include "form/ParseFormData.h"

#include "form/FormText.h"

namespace {

constexpr std::string_view kProjectIdKey = "kqprojectid";

char Lower(char c)
{
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

bool KeyAt(std::string_view text, std::size_t at)
{
    if (text.size() - at < kProjectIdKey.size())
        return false;
    for (std::size_t i = 0; i < kProjectIdKey.size(); ++i)
        if (Lower(text[at + i]) != kProjectIdKey[i])
            return false;
    return true;
}

bool StandsAlone(std::string_view text, std::size_t at)
{
    const bool startsPair = at == 0 || text[at - 1] == '&' || text[at - 1] == ' ';
    const std::size_t after = at + kProjectIdKey.size();
    const bool endsName = after == text.size() || text[after] == ' ' || text[after] == '=';
    return startsPair && endsName;
}

}  // namespace

bool HasProjectIdKey(std::string_view text)
{
    text = text.substr(0, text.find('\0'));
    for (std::size_t at = 0; at < text.size(); ++at)
        if (KeyAt(text, at) && StandsAlone(text, at))
            return true;
    return false;
}

bool ParseFormData(std::string_view text, CWEFormFieldList& fields, UINT codePage)
{
    if (text.empty())
        return false;
    std::size_t pos = text.find_first_not_of("\t& ");
    while (pos < text.size()) {
        const std::size_t equals = text.find('=', pos);
        if (equals == std::string_view::npos)
            break;
        const std::string name = TrimBlanks(text.substr(pos, equals - pos));
        const std::size_t valueStart = equals + 1;
        std::size_t ampersand = text.find('&', valueStart);
        if (ampersand == std::string_view::npos)
            ampersand = text.size();
        const std::string value(text.substr(valueStart, ampersand - valueStart));
        pos = ampersand + 1;
        if (!name.empty())
            fields.Add(name, value, codePage);
    }
    return true;
}
