#include "AnsiText.h"

#include "com/Text.h"
#include "com/Variant.h"

#include <locale.h>
#include <wctype.h>

namespace {

// Case folding by Unicode rules, whatever locale the host program set. The
// locale goes with the library when it is unloaded.
class UnicodeCaseLocale {
public:
    UnicodeCaseLocale() : m_locale(newlocale(LC_CTYPE_MASK, "C.UTF-8", static_cast<locale_t>(nullptr))) {}
    ~UnicodeCaseLocale()
    {
        if (m_locale)
            freelocale(m_locale);
    }
    UnicodeCaseLocale(const UnicodeCaseLocale&) = delete;
    UnicodeCaseLocale& operator=(const UnicodeCaseLocale&) = delete;

    locale_t Get() const { return m_locale; }

private:
    locale_t m_locale;
};

locale_t UnicodeLocale()
{
    static const UnicodeCaseLocale locale;
    return locale.Get();
}

char16_t Fold(char16_t c)
{
    if (c < 0x80)
        return (c >= 'A' && c <= 'Z') ? static_cast<char16_t>(c + ('a' - 'A')) : c;
    locale_t locale = UnicodeLocale();
    return locale ? static_cast<char16_t>(towlower_l(c, locale)) : c;
}

}  // namespace

std::u16string AnsiCaseKey(const std::string& text)
{
    std::u16string key = pollenta::com::Utf16FromAnsi(text);
    for (char16_t& c : key)
        c = Fold(c);
    return key;
}

bool AnsiEqualNoCase(const std::string& a, const std::string& b) { return AnsiCaseKey(a) == AnsiCaseKey(b); }

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
