#include "com/ComBstr.h"
#include "com/Text.h"
#include "win/CodePage.h"

#include <gtest/gtest.h>

TEST(Bstr, LengthsCountCharactersAndKeepEmbeddedNuls)
{
    const OLECHAR text[] = {u'a', 0, u'b', 0};
    BSTR s = SysAllocStringLen(text, 3);
    ASSERT_NE(s, nullptr);
    EXPECT_EQ(SysStringLen(s), 3u);
    EXPECT_EQ(SysStringByteLen(s), 6u);
    EXPECT_EQ(s[1], 0);
    EXPECT_EQ(s[2], u'b');
    EXPECT_EQ(s[3], 0);
    SysFreeString(s);

    BSTR plain = SysAllocString(u"hello");
    EXPECT_EQ(SysStringLen(plain), 5u);
    SysFreeString(plain);
}

TEST(Bstr, NullReadsAsEmpty)
{
    EXPECT_EQ(SysStringLen(nullptr), 0u);
    EXPECT_EQ(SysAllocString(nullptr), nullptr);
    SysFreeString(nullptr);
    EXPECT_EQ(pollenta::com::AnsiFromBstr(nullptr), "");
    BSTR zeroed = SysAllocStringLen(nullptr, 2);
    EXPECT_EQ(SysStringLen(zeroed), 2u);
    EXPECT_EQ(zeroed[0], 0);
    SysFreeString(zeroed);
}

TEST(Bstr, OddByteLengthsStayTerminated)
{
    BSTR s = SysAllocStringByteLen("abc", 3);
    EXPECT_EQ(SysStringByteLen(s), 3u);
    EXPECT_EQ(SysStringLen(s), 1u);
    EXPECT_EQ(reinterpret_cast<const char*>(s)[3], 0);
    SysFreeString(s);
}

TEST(Bstr, ReallocationReplacesAndMayCopyFromItself)
{
    BSTR s = SysAllocString(u"abcdef");
    ASSERT_TRUE(SysReAllocString(&s, s + 3));
    EXPECT_EQ(pollenta::com::AnsiFromBstr(s), "def");
    ASSERT_TRUE(SysReAllocStringLen(&s, u"xyz", 2));
    EXPECT_EQ(pollenta::com::AnsiFromBstr(s), "xy");
    SysFreeString(s);
}

TEST(Bstr, AnsiRoundTripKeepsNonAsciiAndSurrogatePairs)
{
    const std::string text = "Grüße, Привет, \xF0\x9F\x98\x80";
    CComBSTR wide(text);
    // ü and each Cyrillic letter are one unit; the emoji is a surrogate pair.
    EXPECT_EQ(wide.Length(), 17u);
    EXPECT_EQ(wide.ToString(), text);
}

TEST(Bstr, MalformedAnsiBecomesReplacementCharacters)
{
    CComBSTR wide(std::string("a\xFF" "b\xC3"));
    ASSERT_EQ(wide.Length(), 4u);
    EXPECT_EQ(wide.m_str[1], 0xFFFD);
    EXPECT_EQ(wide.m_str[3], 0xFFFD);
}

TEST(ComBstr, CopiesAppendsAndCompares)
{
    CComBSTR a("left");
    CComBSTR b = a;
    EXPECT_NE(a.m_str, b.m_str);
    EXPECT_TRUE(a == b);
    b += CComBSTR("-right");
    EXPECT_EQ(b.ToString(), "left-right");
    BSTR out = nullptr;
    ASSERT_EQ(b.CopyTo(&out), S_OK);
    EXPECT_EQ(SysStringLen(out), 10u);
    SysFreeString(out);
    b = a;
    EXPECT_TRUE(a == b);
}

TEST(Bstr, AnsiFollowsTheProcessCodePage)
{
    ASSERT_TRUE(SetAnsiCodePage(1251));
    CComBSTR wide(std::string("\xCF\xF0\xE8"));
    EXPECT_EQ(wide.m_str[0], u'П');
    EXPECT_EQ(wide.ToString(), "\xCF\xF0\xE8");
    SetAnsiCodePage(CP_UTF8);
}
