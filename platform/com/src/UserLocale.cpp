#include "UserLocale.h"

#include "win/CodePage.h"

#include <langinfo.h>
#include <locale.h>

#include <cstdlib>
#include <cstring>

namespace pollenta::com {

namespace {

const char* Variable(const char* name)
{
    const char* value = std::getenv(name);
    return value && *value ? value : nullptr;
}

// The locale name that the C library would take for one category.
std::string LocaleName(const char* category)
{
    for (const char* name : {"LC_ALL", category, "LANG"})
        if (const char* value = Variable(name))
            return value;
    return "C";
}

bool IsPlain(const std::string& name) { return name == "C" || name == "POSIX" || name.rfind("C.", 0) == 0; }

// A locale of one category, freed when it goes.
class CategoryLocale {
public:
    CategoryLocale(int mask, const std::string& name)
        : m_locale(IsPlain(name) ? nullptr : newlocale(mask, name.c_str(), static_cast<locale_t>(nullptr)))
    {
    }
    ~CategoryLocale()
    {
        if (m_locale)
            freelocale(m_locale);
    }
    CategoryLocale(const CategoryLocale&) = delete;
    CategoryLocale& operator=(const CategoryLocale&) = delete;

    explicit operator bool() const { return m_locale != nullptr; }
    // An item of the locale in the ANSI code page.
    std::string Item(nl_item item) const
    {
        const char* text = nl_langinfo_l(item, m_locale);
        const char* codeset = nl_langinfo_l(CODESET, m_locale);
        const bool utf8 = codeset && (std::strcmp(codeset, "UTF-8") == 0 || std::strcmp(codeset, "utf8") == 0);
        return utf8 ? Recode(text ? text : "", CP_UTF8, CP_ACP) : std::string(text ? text : "");
    }

private:
    locale_t m_locale;
};

// Composite conversions spelt out, so that a reader and a writer meet only
// the numeric ones.
std::string SpellOut(std::string format)
{
    static const std::pair<const char*, const char*> kComposites[] = {
        {"%D", "%m/%d/%y"}, {"%F", "%Y-%m-%d"}, {"%T", "%H:%M:%S"}, {"%r", "%I:%M:%S %p"}, {"%R", "%H:%M"},
    };
    for (const auto& [composite, spelt] : kComposites)
        for (std::size_t at; (at = format.find(composite)) != std::string::npos;)
            format.replace(at, 2, spelt);
    return format;
}

NumberForm ReadNumberForm(const std::string& name)
{
    NumberForm form;
    CategoryLocale locale(LC_NUMERIC_MASK, name);
    if (locale) {
        form.decimalPoint = locale.Item(RADIXCHAR);
        form.thousandsSeparator = locale.Item(THOUSEP);
        if (form.decimalPoint.empty())
            form.decimalPoint = ".";
    }
    return form;
}

DateForm ReadDateForm(const std::string& name)
{
    DateForm form;
    CategoryLocale locale(LC_TIME_MASK, name);
    if (locale) {
        form.iso = false;
        form.dateFormat = SpellOut(locale.Item(D_FMT));
        form.timeFormat = SpellOut(locale.Item(T_FMT));
        form.am = locale.Item(AM_STR);
        form.pm = locale.Item(PM_STR);
    }
    return form;
}

// The form of one category, read again only when its locale name changes.
template <class Form, Form (*Read)(const std::string&)>
const Form& Cached(const char* category)
{
    thread_local std::string name;
    thread_local Form form;
    thread_local bool read = false;
    const std::string current = LocaleName(category);
    if (!read || current != name) {
        form = Read(current);
        name = current;
        read = true;
    }
    return form;
}

}  // namespace

NumberForm UserNumberForm() { return Cached<NumberForm, ReadNumberForm>("LC_NUMERIC"); }

DateForm UserDateForm() { return Cached<DateForm, ReadDateForm>("LC_TIME"); }

}  // namespace pollenta::com
