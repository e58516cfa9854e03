#include "AnsiText.h"

#include "com/Text.h"
#include "com/Variant.h"
#include "win/CaseFolding.h"

#include <algorithm>

std::u16string AnsiCaseKey(const std::string& text)
{
    // Simple folding keeps every code unit of the basic plane in that plane;
    // surrogates are kept as they are.
    std::u16string key = pollenta::com::Utf16FromAnsi(text);
    for (char16_t& c : key)
        if (c < 0xD800 || c > 0xDFFF)
            c = static_cast<char16_t>(FoldCase(c));
    return key;
}

namespace {

bool IsAscii(const std::string& text)
{
    return std::all_of(text.begin(), text.end(), [](char c) { return static_cast<unsigned char>(c) < 0x80; });
}

char AsciiLower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

}  // namespace

bool AnsiEqualNoCase(const std::string& a, const std::string& b)
{
    // Names of properties and fields are mostly plain ASCII, which reads the
    // same in every code page (no lead byte below 0x80) and folds alone; the
    // library compares them for every answer it stores.
    if (IsAscii(a) && IsAscii(b))
        return std::equal(a.begin(), a.end(), b.begin(), b.end(),
                          [](char x, char y) { return AsciiLower(x) == AsciiLower(y); });
    return EqualsNoCase(pollenta::com::Utf16FromAnsi(a), pollenta::com::Utf16FromAnsi(b));
}

bool AnsiEqualsOneOf(const std::string& text, std::initializer_list<const char16_t*> words)
{
    for (const char16_t* word : words)
        if (AnsiEqualNoCase(text, pollenta::com::AnsiFromUtf16(word)))
            return true;
    return false;
}

bool AnsiTextToNumber(const std::string& text, LONG& number)
{
    VARIANT value;
    VariantInit(&value);
    value.vt = VT_BSTR;
    value.bstrVal = pollenta::com::BstrFromAnsi(text);
    if (!value.bstrVal)
        return false;
    bool converted = SUCCEEDED(VariantChangeType(&value, &value, 0, VT_I4));
    if (converted)
        number = value.lVal;
    VariantClear(&value);
    return converted;
}
