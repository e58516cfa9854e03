#include "CWEDefaultValue.h"

#include "AnsiText.h"

#include <optional>

namespace {

constexpr char kQuote = '"';

std::string TrimmedBlanks(const std::string& text)
{
    const size_t first = text.find_first_not_of(" \t");
    if (first == std::string::npos)
        return {};
    return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

// The text of a literal that makes up the whole of `text`, or nothing when
// the text is something else (such as two literals joined by "&").
std::optional<std::string> WholeLiteral(const std::string& text)
{
    if (text.size() < 2 || text.front() != kQuote)
        return std::nullopt;
    std::string value;
    for (size_t i = 1; i < text.size(); ++i) {
        if (text[i] != kQuote) {
            value += text[i];
            continue;
        }
        if (i + 1 == text.size())
            return value;
        if (text[i + 1] != kQuote)
            return std::nullopt;
        value += kQuote;
        ++i;
    }
    return std::nullopt;
}

}  // namespace

CWEDefaultValue CWEDefaultValue::Parse(const std::string& written)
{
    const std::string trimmed = TrimmedBlanks(written);
    if (!trimmed.empty() && trimmed.front() == '=')
        return {{}, true};
    return {Unquoted(written), false};
}

std::string CWEDefaultValue::Unquoted(const std::string& written)
{
    return WholeLiteral(TrimmedBlanks(written)).value_or(written);
}

std::optional<bool> CWEDefaultValue::MeansTicked(const std::string& text)
{
    // Да, Вкл, Истина; Нет, Выкл, Ложь.
    if (AnsiEqualsOneOf(text, {u"Yes", u"True", u"On", u"\u0414\u0430", u"\u0412\u043A\u043B",
                               u"\u0418\u0441\u0442\u0438\u043D\u0430"}))
        return true;
    if (AnsiEqualsOneOf(text, {u"No", u"False", u"Off", u"\u041D\u0435\u0442", u"\u0412\u044B\u043A\u043B",
                               u"\u041B\u043E\u0436\u044C"}))
        return false;
    LONG number = 0;
    if (AnsiTextToNumber(TrimmedBlanks(text), number))
        return number != 0;
    return std::nullopt;
}
