#include "com/ComVariant.h"
#include "com/DispatchImpl.h"
#include "com/OleDate.h"
#include "com/UnknownImpl.h"

#include <gtest/gtest.h>

#include "UserLocaleEnvironment.h"

#include "com/ComBstr.h"

namespace {

HRESULT Convert(const CComVariant& source, VARTYPE vt, CComVariant& out, USHORT flags = 0)
{
    return VariantChangeType(&out, &source, flags, vt);
}

std::string TextOf(const CComVariant& source, USHORT flags = 0)
{
    CComVariant out;
    EXPECT_EQ(Convert(source, VT_BSTR, out, flags), S_OK);
    return out.vt == VT_BSTR ? pollenta::com::AnsiFromBstr(out.bstrVal) : "<failed>";
}

HRESULT ToLong(const CComVariant& source, LONG& value)
{
    CComVariant out;
    const HRESULT hr = Convert(source, VT_I4, out);
    value = out.lVal;
    return hr;
}

}  // namespace

TEST(VariantChangeType, NumericTextBecomesNumbers)
{
    LONG value = 0;
    EXPECT_EQ(ToLong(CComVariant("99"), value), S_OK);
    EXPECT_EQ(value, 99);
    EXPECT_EQ(ToLong(CComVariant("  -42 "), value), S_OK);
    EXPECT_EQ(value, -42);
    EXPECT_EQ(ToLong(CComVariant("+7"), value), S_OK);
    EXPECT_EQ(value, 7);
    // Fractions round half to even.
    EXPECT_EQ(ToLong(CComVariant("2.5"), value), S_OK);
    EXPECT_EQ(value, 2);
    EXPECT_EQ(ToLong(CComVariant("3.5"), value), S_OK);
    EXPECT_EQ(value, 4);
    EXPECT_EQ(ToLong(CComVariant("1e3"), value), S_OK);
    EXPECT_EQ(value, 1000);

    CComVariant real;
    ASSERT_EQ(Convert(CComVariant("0.125"), VT_R8, real), S_OK);
    EXPECT_DOUBLE_EQ(real.dblVal, 0.125);
    CComVariant big;
    ASSERT_EQ(Convert(CComVariant("9223372036854775807"), VT_I8, big), S_OK);
    EXPECT_EQ(big.llVal, INT64_MAX);
}

TEST(VariantChangeType, FailuresAreReportedAndLeaveTheTargetAlone)
{
    UserLocaleEnvironment plain("C");
    CComVariant out(LONG(5));
    EXPECT_EQ(Convert(CComVariant("abc"), VT_I4, out), DISP_E_TYPEMISMATCH);
    EXPECT_EQ(Convert(CComVariant(""), VT_I4, out), DISP_E_TYPEMISMATCH);
    EXPECT_EQ(Convert(CComVariant("12abc"), VT_I4, out), DISP_E_TYPEMISMATCH);
    EXPECT_EQ(Convert(CComVariant("1,5"), VT_R8, out), DISP_E_TYPEMISMATCH);
    EXPECT_EQ(Convert(CComVariant("inf"), VT_R8, out), DISP_E_TYPEMISMATCH);
    EXPECT_EQ(Convert(CComVariant("3000000000"), VT_I4, out), DISP_E_OVERFLOW);
    EXPECT_EQ(Convert(CComVariant(LONG(300)), VT_UI1, out), DISP_E_OVERFLOW);
    EXPECT_EQ(Convert(CComVariant(LONG(-1)), VT_UI4, out), DISP_E_OVERFLOW);
    EXPECT_EQ(Convert(CComVariant("1e400"), VT_R8, out), DISP_E_OVERFLOW);
    EXPECT_EQ(Convert(CComVariant(1e300), VT_R4, out), DISP_E_OVERFLOW);
    CComVariant null;
    null.vt = VT_NULL;
    EXPECT_EQ(Convert(null, VT_I4, out), DISP_E_TYPEMISMATCH);
    EXPECT_EQ(Convert(CComVariant(LONG(1)), 0x7FF, out), DISP_E_BADVARTYPE);
    EXPECT_EQ(out.vt, VT_I4);
    EXPECT_EQ(out.lVal, 5);
}

TEST(VariantChangeType, NumbersAndBoolsBecomeText)
{
    UserLocaleEnvironment plain("C");
    EXPECT_EQ(TextOf(CComVariant(LONG(-1234))), "-1234");
    EXPECT_EQ(TextOf(CComVariant(ULONG(4000000000u))), "4000000000");
    EXPECT_EQ(TextOf(CComVariant(0.1)), "0.1");
    EXPECT_EQ(TextOf(CComVariant(2.5)), "2.5");
    EXPECT_EQ(TextOf(CComVariant(1e20)), "1E+20");
    EXPECT_EQ(TextOf(CComVariant(true)), "-1");
    EXPECT_EQ(TextOf(CComVariant(false)), "0");
    EXPECT_EQ(TextOf(CComVariant(true), VARIANT_ALPHABOOL), "True");
    EXPECT_EQ(TextOf(CComVariant()), "");
    CComVariant money;
    money.vt = VT_CY;
    money.cyVal.int64 = -123450;
    EXPECT_EQ(TextOf(money), "-12.345");
}

TEST(VariantChangeType, NumbersAreReadAndWrittenInTheUsersLocaleAndTheIsoFormIsAlwaysRead)
{
    struct Case {
        const char* locale;
        const char* text;
        HRESULT hr;
        double value;
    };
    const Case cases[] = {
        {"de_DE.UTF-8", "3,14", S_OK, 3.14},
        {"de_DE.UTF-8", "-1.234,5", S_OK, -1234.5},
        {"de_DE.UTF-8", "12.345.678", S_OK, 12345678},
        {"de_DE.UTF-8", "0.5", S_OK, 0.5},  // no German number: read in the ISO form
        // German and ISO read it differently: German wins, as on Windows.
        {"de_DE.UTF-8", "1.234", S_OK, 1234},
        {"de_DE.UTF-8", "1.2345", S_OK, 1.2345},
        {"de_DE.UTF-8", "1.23,5", DISP_E_TYPEMISMATCH, 0},
        {"de_DE.UTF-8", "1,2,3", DISP_E_TYPEMISMATCH, 0},
        {"de_DE.UTF-8", "2,5e3", S_OK, 2500},
        {"ru_RU.UTF-8", "3,14", S_OK, 3.14},
        {"ru_RU.UTF-8", "1\u202F234,5", S_OK, 1234.5},
        {"ru_RU.UTF-8", "1 234,5", S_OK, 1234.5},
        {"en_US.UTF-8", "1,234.5", S_OK, 1234.5},
        {"en_US.UTF-8", "3,14", DISP_E_TYPEMISMATCH, 0},
        {"C.UTF-8", "3,14", DISP_E_TYPEMISMATCH, 0},
        {"C", "2.5", S_OK, 2.5},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.locale) + " " + c.text);
        UserLocaleEnvironment locale(c.locale);
        CComVariant real;
        EXPECT_EQ(c.hr, Convert(CComVariant(c.text), VT_R8, real));
        if (c.hr == S_OK) {
            EXPECT_DOUBLE_EQ(c.value, real.dblVal);
        }
    }

    const std::pair<const char*, const char*> written[] = {
        {"de_DE.UTF-8", "0,5"}, {"ru_RU.UTF-8", "0,5"}, {"en_US.UTF-8", "0.5"}, {"C", "0.5"}};
    for (const auto& [name, text] : written) {
        SCOPED_TRACE(name);
        UserLocaleEnvironment locale(name);
        EXPECT_EQ(text, TextOf(CComVariant(0.5)));
    }
    UserLocaleEnvironment german("de_DE.UTF-8");
    CComVariant money;
    money.vt = VT_CY;
    money.cyVal.int64 = -123450;
    EXPECT_EQ("-12,345", TextOf(money));
    CComVariant decimal;
    ASSERT_EQ(S_OK, Convert(CComVariant("-1.234,125"), VT_DECIMAL, decimal));
    EXPECT_EQ("-1234,125", TextOf(decimal));
    ASSERT_EQ(S_OK, Convert(CComVariant("1.234"), VT_DECIMAL, decimal));
    EXPECT_EQ("1234", TextOf(decimal));
    // Integers keep the rounding of automation for every caller.
    CComVariant whole;
    ASSERT_EQ(S_OK, Convert(CComVariant("1.234"), VT_I4, whole));
    EXPECT_EQ(1234, whole.lVal);
    ASSERT_EQ(S_OK, Convert(CComVariant("2,5"), VT_I4, whole));
    EXPECT_EQ(2, whole.lVal);
}

TEST(VariantChangeType, TheNumberLocaleComesFromLcAllThenLcNumericThenLang)
{
    struct Case {
        std::map<std::string, std::string> environment;
        const char* text;
    };
    const Case cases[] = {
        {{{"LANG", "de_DE.UTF-8"}}, "0,5"},
        {{{"LANG", "de_DE.UTF-8"}, {"LC_NUMERIC", "en_US.UTF-8"}}, "0.5"},
        {{{"LANG", "en_US.UTF-8"}, {"LC_TIME", "de_DE.UTF-8"}}, "0.5"},
        {{{"LC_ALL", "ru_RU.UTF-8"}, {"LC_NUMERIC", "en_US.UTF-8"}}, "0,5"},
        {{}, "0.5"},
    };
    for (const Case& c : cases) {
        UserLocaleEnvironment locale(c.environment);
        SCOPED_TRACE(c.text);
        EXPECT_EQ(c.text, TextOf(CComVariant(0.5)));
    }
}

TEST(VariantChangeType, DatesAreReadAndWrittenInTheUsersLocaleAndTheIsoFormIsAlwaysRead)
{
    constexpr DATE kIdes = 45366.0;  // 2024-03-15
    constexpr DATE kAfternoon = kIdes + (13 * 3600 + 45 * 60 + 30) / 86400.0;
    struct Case {
        const char* locale;
        const char* text;
        HRESULT hr;
        DATE date;
    };
    const Case cases[] = {
        {"de_DE.UTF-8", "15.03.2024", S_OK, kIdes},
        {"de_DE.UTF-8", "15.3.24", S_OK, kIdes},
        {"de_DE.UTF-8", "15.03.2024 13:45:30", S_OK, kAfternoon},
        {"de_DE.UTF-8", "2024-03-15", S_OK, kIdes},
        {"de_DE.UTF-8", "03/15/2024", DISP_E_TYPEMISMATCH, 0},
        {"de_DE.UTF-8", "31.02.2024", DISP_E_TYPEMISMATCH, 0},
        {"ru_RU.UTF-8", "15.03.2024 13:45:30", S_OK, kAfternoon},
        {"ru_RU.UTF-8", "01.01.29", S_OK, 47119},
        {"ru_RU.UTF-8", "01.01.30", S_OK, 10959},
        {"en_US.UTF-8", "03/15/2024 01:45:30 PM", S_OK, kAfternoon},
        {"en_US.UTF-8", "15.03.2024", DISP_E_TYPEMISMATCH, 0},
        {"C", "03/15/2024", S_OK, kIdes},
        {"C", "15.03.2024", DISP_E_TYPEMISMATCH, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.locale) + " " + c.text);
        UserLocaleEnvironment locale(c.locale);
        CComVariant date;
        EXPECT_EQ(c.hr, Convert(CComVariant(c.text), VT_DATE, date));
        if (c.hr == S_OK) {
            EXPECT_NEAR(c.date, date.date, 1e-9);
        }
        DATE value = 0;
        EXPECT_EQ(c.hr, VarDateFromStr(CComBSTR(c.text), 0, 0, &value));
    }

    struct Written {
        std::map<std::string, std::string> environment;
        DATE date;
        const char* text;
    };
    const Written written[] = {
        {{{"LC_ALL", "de_DE.UTF-8"}}, kIdes, "15.03.2024"},
        {{{"LC_ALL", "de_DE.UTF-8"}}, kAfternoon, "15.03.2024 13:45:30"},
        {{{"LC_TIME", "ru_RU.UTF-8"}}, kAfternoon - kIdes, "13:45:30"},
        {{{"LANG", "en_US.UTF-8"}}, kAfternoon, "03/15/2024 01:45:30 PM"},
        {{{"LANG", "de_DE.UTF-8"}, {"LC_TIME", "C"}}, kAfternoon, "2024-03-15 13:45:30"},
    };
    for (const Written& w : written) {
        SCOPED_TRACE(w.text);
        UserLocaleEnvironment locale(w.environment);
        EXPECT_EQ(w.text, TextOf(CComVariant(w.date, VT_DATE)));
    }
}

TEST(VariantChangeType, BoolsFromTextAndNumbers)
{
    CComVariant out;
    ASSERT_EQ(Convert(CComVariant("TRUE"), VT_BOOL, out), S_OK);
    EXPECT_EQ(out.boolVal, VARIANT_TRUE);
    ASSERT_EQ(Convert(CComVariant("0"), VT_BOOL, out), S_OK);
    EXPECT_EQ(out.boolVal, VARIANT_FALSE);
    ASSERT_EQ(Convert(CComVariant(LONG(7)), VT_BOOL, out), S_OK);
    EXPECT_EQ(out.boolVal, VARIANT_TRUE);
    EXPECT_EQ(Convert(CComVariant("yes"), VT_BOOL, out), DISP_E_TYPEMISMATCH);
    LONG value = 0;
    EXPECT_EQ(ToLong(CComVariant(true), value), S_OK);
    EXPECT_EQ(value, -1);
}

TEST(VariantChangeType, DatesAreWrittenInIsoFormWithoutALocale)
{
    UserLocaleEnvironment plain("C.UTF-8");
    CComVariant date;
    ASSERT_EQ(Convert(CComVariant("2024-02-29 13:45:30"), VT_DATE, date), S_OK);
    EXPECT_EQ(TextOf(date), "2024-02-29 13:45:30");
    ASSERT_EQ(Convert(CComVariant("12/31/1999"), VT_DATE, date), S_OK);
    EXPECT_EQ(TextOf(date), "1999-12-31");
    EXPECT_DOUBLE_EQ(date.date, 36525.0);
    EXPECT_EQ(Convert(CComVariant("2023-02-29"), VT_DATE, date), DISP_E_TYPEMISMATCH);
    EXPECT_EQ(Convert(CComVariant("0050-01-01"), VT_DATE, date), DISP_E_OVERFLOW);

    DATE value = 0;
    EXPECT_EQ(VarDateFromStr(u"2001-01-01 18:00", 0, VAR_DATEVALUEONLY, &value), S_OK);
    EXPECT_DOUBLE_EQ(value, 36892.0);
    EXPECT_EQ(VarDateFromStr(u"someday", 0, 0, &value), DISP_E_TYPEMISMATCH);
    SYSTEMTIME t{};
    ASSERT_TRUE(VariantTimeToSystemTime(-1.25, &t));
    EXPECT_EQ(t.wDay, 29);
    EXPECT_EQ(t.wHour, 6);
}

TEST(VariantChangeType, DecimalsKeepTheirDigits)
{
    UserLocaleEnvironment plain("C");
    CComVariant dec;
    ASSERT_EQ(Convert(CComVariant("-12345678901234567890.125"), VT_DECIMAL, dec), S_OK);
    EXPECT_EQ(dec.vt, VT_DECIMAL);
    EXPECT_EQ(TextOf(dec), "-12345678901234567890.125");
    EXPECT_EQ(Convert(CComVariant("1e30"), VT_DECIMAL, dec), DISP_E_OVERFLOW);
    CComVariant back;
    ASSERT_EQ(Convert(CComVariant("42.5"), VT_DECIMAL, dec), S_OK);
    ASSERT_EQ(Convert(dec, VT_I4, back), S_OK);
    EXPECT_EQ(back.lVal, 42);
}

TEST(VariantChangeType, ConvertsInPlaceAndThroughReferences)
{
    CComVariant v("123");
    ASSERT_EQ(VariantChangeType(&v, &v, 0, VT_I4), S_OK);
    EXPECT_EQ(v.vt, VT_I4);
    EXPECT_EQ(v.lVal, 123);

    LONG target = 77;
    VARIANT ref;
    VariantInit(&ref);
    ref.vt = VT_BYREF | VT_I4;
    ref.plVal = &target;
    CComVariant text;
    ASSERT_EQ(VariantChangeType(&text, &ref, 0, VT_BSTR), S_OK);
    EXPECT_EQ(pollenta::com::AnsiFromBstr(text.bstrVal), "77");
}

namespace {

// An object whose default property is a number.
class CValueObject : public pollenta::com::CUnknownImpl<CValueObject,
                                                        pollenta::com::CDispatchImpl<CValueObject, IDispatch>> {
public:
    static std::span<const pollenta::com::DispatchMember<CValueObject>> DispatchMembers()
    {
        static const pollenta::com::DispatchMember<CValueObject> members[] = {
            {"Value", DISPID_VALUE, [](CValueObject&, pollenta::com::DispatchCall& call) { return call.ReturnLong(31); }},
        };
        return members;
    }
};

}  // namespace

TEST(VariantChangeType, ObjectsConvertThroughTheirDefaultValue)
{
    IDispatch* raw = nullptr;
    ASSERT_EQ(CValueObject::CreateInstance(IID_IDispatch, reinterpret_cast<void**>(&raw)), S_OK);
    CComVariant object(raw);
    raw->Release();
    EXPECT_EQ(TextOf(object), "31");
    CComVariant out;
    EXPECT_EQ(Convert(object, VT_I4, out, VARIANT_NOVALUEPROP), DISP_E_TYPEMISMATCH);
    ASSERT_EQ(Convert(object, VT_UNKNOWN, out), S_OK);
    EXPECT_NE(out.punkVal, nullptr);
}

TEST(Variant, CopyIsDeepAndClearFreesWhatItOwns)
{
    CComVariant text("abc");
    VARIANT copy;
    VariantInit(&copy);
    ASSERT_EQ(VariantCopy(&copy, &text), S_OK);
    EXPECT_NE(copy.bstrVal, text.bstrVal);
    EXPECT_EQ(VariantClear(&copy), S_OK);
    EXPECT_EQ(copy.vt, VT_EMPTY);

    BSTR shared = SysAllocString(u"ref");
    VARIANT ref;
    VariantInit(&ref);
    ref.vt = VT_BYREF | VT_BSTR;
    ref.pbstrVal = &shared;
    ASSERT_EQ(VariantCopyInd(&copy, &ref), S_OK);
    EXPECT_EQ(copy.vt, VT_BSTR);
    EXPECT_NE(copy.bstrVal, shared);
    VariantClear(&copy);
    // Clearing a reference leaves the referenced string alone.
    VariantClear(&ref);
    EXPECT_EQ(SysStringLen(shared), 3u);
    SysFreeString(shared);

    VARIANT bad;
    VariantInit(&bad);
    bad.vt = 0x7FF;
    EXPECT_EQ(VariantClear(&bad), DISP_E_BADVARTYPE);
    EXPECT_EQ(VariantCopy(&copy, &bad), DISP_E_BADVARTYPE);
}
