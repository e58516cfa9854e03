#include "AnsiText.h"

#include "com/Text.h"
#include "com/Variant.h"
#include "win/CaseFolding.h"

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
