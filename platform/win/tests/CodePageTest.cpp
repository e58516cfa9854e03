// Code page conversions: UTF-8, Windows code pages through iconv, the ANSI
// setting and the Windows buffer rules.

#include "AnsiCodePage.h"
#include "win/CodePage.h"
#include "win/Errors.h"

#include <gtest/gtest.h>

namespace {

const std::u16string kRussian = u"Вкл/Истина №5";
const std::string kRussian1251 = "\xC2\xEA\xEB/\xC8\xF1\xF2\xE8\xED\xE0 \xB9" "5";

} // namespace

TEST(CodePageTest, Utf8RoundTripsEveryPlane)
{
    const std::string text = "Aé€😀Привет";
    const std::u16string wide = ToWide(text, CP_UTF8);
    EXPECT_EQ(u"Aé€😀Привет", wide);
    EXPECT_EQ(text, ToNarrow(wide, CP_UTF8));
    EXPECT_EQ(CP_UTF8, GetACP());
    EXPECT_EQ(wide, ToWide(text));
}

TEST(CodePageTest, Windows1251RoundTrips)
{
    EXPECT_EQ(kRussian, ToWide(kRussian1251, 1251));
    EXPECT_EQ(kRussian1251, ToNarrow(kRussian, 1251));
    EXPECT_EQ(kRussian1251, Recode("Вкл/Истина №5", CP_UTF8, 1251));

    AnsiCodePage ansi(1251);
    EXPECT_EQ(1251u, GetACP());
    EXPECT_EQ(866u, GetOEMCP());
    EXPECT_EQ(kRussian, ToWide(kRussian1251));
    char buffer[32];
    int length = WideCharToMultiByte(CP_ACP, 0, kRussian.c_str(), -1, buffer, sizeof buffer, nullptr, nullptr);
    ASSERT_EQ(static_cast<int>(kRussian1251.size() + 1), length);
    EXPECT_EQ(kRussian1251, std::string(buffer));
}

TEST(CodePageTest, SizesAndBuffersFollowWindows)
{
    EXPECT_EQ(4, MultiByteToWideChar(CP_UTF8, 0, "abc", -1, nullptr, 0));
    EXPECT_EQ(3, MultiByteToWideChar(CP_UTF8, 0, "abc", 3, nullptr, 0));
    char16_t wide[8];
    SetLastError(0);
    EXPECT_EQ(0, MultiByteToWideChar(CP_UTF8, 0, "abcdef", -1, wide, 3));
    EXPECT_EQ(ERROR_INSUFFICIENT_BUFFER, GetLastError());
    EXPECT_EQ(0, MultiByteToWideChar(CP_UTF8, 0, "abc", 0, wide, 8));
    EXPECT_EQ(ERROR_INVALID_PARAMETER, GetLastError());

    // Explicit lengths carry NULs through.
    ASSERT_EQ(3, MultiByteToWideChar(CP_UTF8, 0, "a\0b", 3, wide, 8));
    EXPECT_EQ(u'\0', wide[1]);
    char narrow[8];
    EXPECT_EQ(3, WideCharToMultiByte(CP_UTF8, 0, u"a\0b", 3, narrow, 8, nullptr, nullptr));
    EXPECT_EQ(3, WideCharToMultiByte(CP_UTF8, 0, u"€", -1, nullptr, 0, nullptr, nullptr) - 1);
    BOOL usedDefault = FALSE;
    EXPECT_EQ(0, WideCharToMultiByte(CP_UTF8, 0, u"a", -1, narrow, 8, nullptr, &usedDefault));
    EXPECT_EQ(ERROR_INVALID_PARAMETER, GetLastError());
}

TEST(CodePageTest, WhatCannotBeConvertedIsReplacedOrRefused)
{
    char16_t wide[8];
    ASSERT_EQ(3, MultiByteToWideChar(CP_UTF8, 0, "a\xFF" "b", 3, wide, 8));
    EXPECT_EQ(u'\xFFFD', wide[1]);
    EXPECT_EQ(0, MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, "a\xC0\x80", 3, wide, 8));
    EXPECT_EQ(ERROR_NO_UNICODE_TRANSLATION, GetLastError());

    char narrow[8] = {};
    BOOL usedDefault = FALSE;
    ASSERT_EQ(3, WideCharToMultiByte(1251, 0, u"a€😀", 4, narrow, 8, "#", &usedDefault));
    EXPECT_STREQ("a\x88#", narrow);
    EXPECT_TRUE(usedDefault);
    ASSERT_EQ(2, WideCharToMultiByte(1252, 0, u"Я", -1, narrow, 8, nullptr, &usedDefault));
    EXPECT_STREQ("?", narrow);

    EXPECT_EQ(u"a\xFFFD", ToWide("a\x98", 1251)); // 0x98 is no character in 1251
    EXPECT_EQ("\xEF\xBF\xBD", ToNarrow(std::u16string(1, u'\xD800'), CP_UTF8));
}

TEST(CodePageTest, UnknownCodePagesAreRefused)
{
    EXPECT_FALSE(IsValidCodePage(12345));
    EXPECT_TRUE(IsValidCodePage(1252));
    EXPECT_TRUE(IsValidCodePage(866));
    EXPECT_FALSE(SetAnsiCodePage(12345));
    EXPECT_EQ(CP_UTF8, GetACP());
    char16_t wide[4];
    EXPECT_EQ(0, MultiByteToWideChar(12345, 0, "a", 1, wide, 4));
    EXPECT_EQ(ERROR_INVALID_PARAMETER, GetLastError());
}
