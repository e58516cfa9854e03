// The wizard's free functions, the code-page list and the settings' defaults.

#include "wizard/CWEException.h"
#include "wizard/CWEMultilang.h"
#include "wizard/UrlDecodeInPlace.h"
#include "wizard/WEUtils.h"
#include "wizard/WizardIds.h"
#include "zr/FormatHResult.h"

#include "win/CodePage.h"

#include <gtest/gtest.h>

TEST(UtilsTest, SeverityPicksTheCaption)
{
    EXPECT_EQ(103u, SeverityCaptionId(0xE00022B2));
    EXPECT_EQ(105u, SeverityCaptionId(0xA00022BF));
    EXPECT_EQ(104u, SeverityCaptionId(0x200022B0));
    EXPECT_EQ(106u, SeverityCaptionId(0x600022B0));
}

TEST(UtilsTest, CssUrlValueTakesTheAddressOutOfUrlNotation)
{
    const struct {
        const char* value;
        const char* address;
    } cases[] = {
        {"  url(pic.gif)  ", "pic.gif"}, {"url()", ""},           {"none", ""},
        {"url('a b.gif')", "'a b.gif'"}, {"URL(x.png)", "x.png"}, {"url(", ""},
        {"", ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.value);
        EXPECT_EQ(c.address, CssUrlValue(c.value));
    }
}

TEST(UtilsTest, FileExtensionIsLowerCaseAndOnlyOfTheName)
{
    EXPECT_EQ("jpg", GetFileExtension("/home/ann/Photo.JPG"));
    EXPECT_EQ("", GetFileExtension("/home/ann.d/README"));
    EXPECT_EQ("", GetFileExtension(""));
    EXPECT_EQ("gz", GetFileExtension("a.tar.gz"));
}

TEST(UtilsTest, TypesHaveTextsAndSqlNamesAndOthersAreInternalErrors)
{
    EXPECT_EQ("0x80004005", FormatHResult(E_FAIL));
    EXPECT_EQ("Numeric", FieldTypeText(1));
    EXPECT_EQ("Text*", FieldTypeText(4));
    EXPECT_EQ("VARCHAR", SqlTypeName(2));
    EXPECT_EQ("BLOB", SqlTypeName(3));
    try {
        SqlTypeName(5);
        FAIL() << "type 5 has no SQL name";
    } catch (const CWEException& exception) {
        EXPECT_EQ(WE_E_UNEXPECTED_AT, exception.GetId());
        EXPECT_EQ(0u, exception.GetText().find("Unexpected Error\r\n\r\nFile: WEUtils.cpp;\r\nLine: "));
    }
}

TEST(UtilsTest, UrlSchemeAndVersionOfTheProgram)
{
    EXPECT_EQ(7, GetUrlScheme("mailto:a@b.c"));
    EXPECT_EQ(-1, GetUrlScheme(""));
    EXPECT_EQ(-1, GetUrlScheme(nullptr));
    EXPECT_EQ(-1, GetUrlScheme("/home/ann/page.htm"));
    std::string product;
    EXPECT_TRUE(GetVersionString("ProductName", product));
    EXPECT_EQ("Pollenta", product);
    EXPECT_FALSE(GetVersionString("", product));
    EXPECT_FALSE(GetVersionString("NoSuchValue", product));
}

TEST(UtilsTest, UrlDecodingOfPicturePaths)
{
    const struct {
        const char* text;
        const char* decoded;
    } cases[] = {
        {" a+b%20c ", "a b c"}, {"%zzx", "zzx"}, {"50%", "50%"}, {"%00x", "00x"}, {"%41%42", "AB"}, {"   ", ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        std::string text = c.text;
        EXPECT_EQ(1, UrlDecodeInPlace(text));
        EXPECT_EQ(c.decoded, text);
    }
}

TEST(UtilsTest, CodePagesNeedInitAndAppend)
{
    CWEMultilang multilang;
    std::vector<MIMECPINFO> pages;
    try {
        multilang.EnumCodePages(pages, MIMECONTF_BROWSER);
        FAIL() << "listed without Init";
    } catch (const CWEException& exception) {
        EXPECT_EQ(WE_E_MULTILANGUAGE, exception.GetId());
        EXPECT_EQ("MultiLanguage object creation failed.", exception.GetText());
    }
    EXPECT_TRUE(pages.empty());
    multilang.Init();
    multilang.EnumCodePages(pages, MIMECONTF_BROWSER);
    const std::size_t once = pages.size();
    multilang.EnumCodePages(pages, MIMECONTF_BROWSER);
    EXPECT_EQ(2 * once, pages.size());
    bool hasCyrillic = false;
    for (const MIMECPINFO& page : pages)
        hasCyrillic = hasCyrillic || ToNarrow(page.wszWebCharset, CP_UTF8) == "windows-1251";
    EXPECT_TRUE(hasCyrillic);
}
