#include "MessageText.h"

#include "MessageTexts.h"
#include "lang/CWELanguages.h"

#include "win/CodePage.h"

#include <strings.h>

namespace {

const char* FindMessage(std::span<const LanguageText> table, DWORD id)
{
    for (const LanguageText& entry : table) {
        if (entry.id == id)
            return entry.text;
    }
    return nullptr;
}

}  // namespace

LANGID MessageLanguage(const std::string& languageName)
{
    if (strcasecmp(languageName.c_str(), "German") == 0)
        return LangGerman;
    if (strcasecmp(languageName.c_str(), "Russian") == 0)
        return LangRussian;
    return LangEnglish;
}

LANGID CurrentMessageLanguage()
{
    return MessageLanguage(Languages().GetLanguageName());
}

std::string InsertMessageArguments(const std::string& text, std::span<const std::string> inserts)
{
    std::string result;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '%' || i + 1 == text.size()) {
            result += text[i];
            continue;
        }
        char next = text[i + 1];
        if (next == '%') {
            result += '%';
            ++i;
        } else if (next == 's') {
            if (!inserts.empty())
                result += inserts[0];
            ++i;
        } else if (next >= '1' && next <= '9') {
            std::size_t number = 0;
            std::size_t end = i + 1;
            for (; end < text.size() && end < i + 3 && text[end] >= '0' && text[end] <= '9'; ++end)
                number = number * 10 + static_cast<std::size_t>(text[end] - '0');
            if (number <= inserts.size())
                result += inserts[number - 1];
            i = end - 1;
        } else {
            result += '%';
        }
    }
    return result;
}

std::string ComponentMessageText(DWORD id, LANGID language, std::span<const std::string> inserts)
{
    const char* text = nullptr;
    if (language == LangGerman)
        text = FindMessage(GermanMessages(), id);
    else if (language == LangRussian)
        text = FindMessage(RussianMessages(), id);
    if (!text)
        text = FindMessage(EnglishMessages(), id);
    if (!text)
        return "";
    // The table is kept in UTF-8; the inserts are ANSI text already.
    return InsertMessageArguments(Recode(text, CP_UTF8, CP_ACP), inserts);
}

std::string ComponentMessageText(DWORD id, std::span<const std::string> inserts)
{
    return ComponentMessageText(id, CurrentMessageLanguage(), inserts);
}
