#include "AnsiText.h"

#include "com/Text.h"
#include "com/Variant.h"
#include "win/CaseFolding.h"

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

bool AnsiEqualNoCase(const std::string& a, const std::string& b)
{
    return EqualsNoCase(pollenta::com::Utf16FromAnsi(a), pollenta::com::Utf16FromAnsi(b));
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
