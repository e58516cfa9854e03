#include "AnswerFieldValue.h"

#include "AnsiText.h"

#include <initializer_list>

namespace {

bool IsOneOf(const std::string& text, std::initializer_list<const char*> words)
{
    for (const char* word : words)
        if (AnsiEqualNoCase(text, word))
            return true;
    return false;
}

// Types from this number on are handed to the provider as text.
constexpr LONG kFirstProviderConvertedType = 73;

}  // namespace

CComVariant AnswerFieldValue(DataTypeEnum fieldType, BSTR text)
{
    // Only the check-box words need the text in the ANSI code page.
    if (fieldType == adBoolean)
        return CComVariant(LONG{IsOneOf(pollenta::com::AnsiFromBstr(text), {"on", "yes", "true", "1", "-1"}) ? -1 : 0});
    if (fieldType == adInteger) {
        const std::string ansi = pollenta::com::AnsiFromBstr(text);
        if (IsOneOf(ansi, {"on", "yes", "true"}))
            return CComVariant(LONG{-1});
        if (IsOneOf(ansi, {"off", "no", "false"}))
            return CComVariant(LONG{0});
    }
    const CComVariant asText(static_cast<LPCOLESTR>(text ? text : u""));
    if (fieldType == adBSTR || fieldType >= kFirstProviderConvertedType)
        return asText;
    CComVariant converted;
    if (SUCCEEDED(VariantChangeType(&converted, &asText, 0, static_cast<VARTYPE>(fieldType))))
        return converted;
    return asText;
}
