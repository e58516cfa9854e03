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

// The ADO integer types; each has the number of its automation type.
bool IsIntegerType(DataTypeEnum type)
{
    switch (type) {
    case adTinyInt:
    case adSmallInt:
    case adInteger:
    case adBigInt:
    case adUnsignedTinyInt:
    case adUnsignedSmallInt:
    case adUnsignedInt:
    case adUnsignedBigInt:
        return true;
    default:
        return false;
    }
}

// The decimal's value with no fraction digits; false when it has a fraction.
bool DropZeroFraction(DECIMAL& number)
{
    unsigned __int128 mantissa = (static_cast<unsigned __int128>(number.Hi32) << 64) | number.Lo64;
    for (; number.scale > 0; --number.scale) {
        if (mantissa % 10 != 0)
            return false;
        mantissa /= 10;
    }
    number.Hi32 = static_cast<ULONG>(mantissa >> 64);
    number.Lo64 = static_cast<ULONGLONG>(mantissa);
    return true;
}

// The text read as the user writes numbers, exactly, then range-checked.
bool ExactInteger(const CComVariant& text, VARTYPE type, CComVariant& value)
{
    CComVariant number;
    if (FAILED(VariantChangeType(&number, &text, 0, VT_DECIMAL)) || !DropZeroFraction(number.decVal))
        return false;
    return SUCCEEDED(VariantChangeType(&value, &number, 0, type));
}

}  // namespace

bool AnswerFieldValue(DataTypeEnum fieldType, BSTR text, CComVariant& value)
{
    // Only the check-box words need the text in the ANSI code page.
    if (fieldType == adBoolean) {
        value =
            CComVariant(LONG{IsOneOf(pollenta::com::AnsiFromBstr(text), {"on", "yes", "true", "1", "-1"}) ? -1 : 0});
        return true;
    }
    if (fieldType == adInteger) {
        const std::string ansi = pollenta::com::AnsiFromBstr(text);
        if (IsOneOf(ansi, {"on", "yes", "true"})) {
            value = CComVariant(LONG{-1});
            return true;
        }
        if (IsOneOf(ansi, {"off", "no", "false"})) {
            value = CComVariant(LONG{0});
            return true;
        }
    }
    const CComVariant asText(static_cast<LPCOLESTR>(text ? text : u""));
    if (IsIntegerType(fieldType))
        return ExactInteger(asText, static_cast<VARTYPE>(fieldType), value);
    value = asText;
    if (fieldType == adBSTR || fieldType >= kFirstProviderConvertedType)
        return true;
    CComVariant converted;
    if (SUCCEEDED(VariantChangeType(&converted, &asText, 0, static_cast<VARTYPE>(fieldType))))
        value = converted;
    return true;
}
