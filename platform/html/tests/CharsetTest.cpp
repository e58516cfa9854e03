// The charset of a page as old editors wrote it, found from its bytes, and
// text converted to and from it.

#include "CharsetDetector.h"
#include "HtmlTestPage.h"
#include "TextCodec.h"

#include <gtest/gtest.h>

#include <string>

using namespace pollenta::html;

TEST(CharsetTest, CharsetComesFromBomThenMetaThenTheBytesThemselves)
{
    const struct {
        const char* name;
        std::string bytes;
        const char* charset;
        std::size_t bomLength;
    } cases[] = {
        {"UTF-8 BOM beats a META", "\xEF\xBB\xBF<META http-equiv=Content-Type content=\"text/html; charset=koi8-r\">",
         "utf-8", 3},
        {"UTF-16LE BOM", std::string("\xFF\xFE<\0H\0", 6), "utf-16le", 2},
        {"UTF-16BE BOM", std::string("\xFE\xFF\0<\0H", 6), "utf-16be", 2},
        {"http-equiv META, upper case, unquoted",
         "<HTML><HEAD><META HTTP-EQUIV=Content-Type CONTENT=\"text/html; charset=windows-1251\"></HEAD>",
         "windows-1251", 0},
        {"content before http-equiv, no blank after ;",
         "<meta content='text/html;charset=ISO-8859-2' http-equiv='content-type'>", "iso-8859-2", 0},
        {"unquoted content", "<META http-equiv=content-type content=text/html;charset=koi8-r>", "koi8-r", 0},
        {"HTML 5 charset attribute", "<meta charset=\"UTF-8\"><p>\xC3\xA9</p>", "utf-8", 0},
        {"META inside a comment is no META", "<!-- <meta charset=koi8-r> --><p>\xC3\xA9</p>", "utf-8", 0},
        {"refresh META names no charset", "<META http-equiv=Refresh content=\"5; charset=koi8-r\"><p>\xE9</p>",
         "windows-1252", 0},
        {"unknown charset falls back", "<META http-equiv=Content-Type content=\"text/html; charset=x-nonsense\">\xE9",
         "windows-1252", 0},
        {"META claiming UTF-16 in ASCII bytes", "<META charset=utf-16><p>ok</p>", "utf-8", 0},
        {"no META, valid UTF-8",
         "<P>Gr\xC3\xBC\xC3\x9F"
         "e</P>",
         "utf-8", 0},
        {"no META, Latin-1 bytes",
         "<P>Gr\xFC\xDF"
         "e</P>",
         "windows-1252", 0},
        {"no META, plain ASCII", "<P>Hello</P>", "utf-8", 0},
        {"empty", "", "utf-8", 0},
        {"truncated UTF-8 at the end", "<P>\xD0", "windows-1252", 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const DetectedCharset detected = DetectCharset(c.bytes);
        EXPECT_EQ(c.charset, detected.name);
        EXPECT_EQ(c.bomLength, detected.bomLength);
    }
}

TEST(CharsetTest, DecodingKeepsEveryCharacterAndMarksBadBytes)
{
    std::string utf8;
    ASSERT_TRUE(DecodeToUtf8("\xC0\xED\xEA\xE5\xF2\xE0", "windows-1251", utf8));
    EXPECT_EQ("\xD0\x90\xD0\xBD\xD0\xBA\xD0\xB5\xD1\x82\xD0\xB0", utf8);  // "Анкета"

    ASSERT_TRUE(DecodeToUtf8("a\xFF"
                             "b",
                             "utf-8", utf8));
    EXPECT_EQ("a\xEF\xBF\xBD"
              "b",
              utf8);

    EXPECT_FALSE(DecodeToUtf8("abc", "x-nonsense", utf8));
    EXPECT_EQ("", utf8);
}

TEST(CharsetTest, CharactersTheTargetLacksBecomeCharacterReferences)
{
    std::string bytes;
    ASSERT_TRUE(EncodeFromUtf8("\xD0\x90 \xE2\x82\xAC \xE4\xB8\xAD", "windows-1251", bytes));  // "А € 中"
    EXPECT_EQ("\xC0 \x88 &#20013;", bytes);

    ASSERT_TRUE(EncodeFromUtf8("Gr\xC3\xBC\xC3\x9F"
                               "e \xD0\x96",
                               "windows-1252", bytes));
    EXPECT_EQ("Gr\xFC\xDF"
              "e &#1046;",
              bytes);
}

// Labels as the pages of old editors and sites wrote them, read by the
// Encoding Standard's label table as browsers read them.
TEST(CharsetTest, PagesAreDecodedByTheEncodingTheirLabelNamesForBrowsers)
{
    const struct {
        const char* what;
        const char* bytes;
        const char* charset;
        const char* text;
    } cases[] = {
        {"Word's Save as Web Page: windows-1252 labelled iso-8859-1",
         "<meta http-equiv=Content-Type content=\"text/html; charset=iso-8859-1\"><p>\x93Quoted\x94 \x80 5</p>",
         "windows-1252", "\xE2\x80\x9CQuoted\xE2\x80\x9D \xE2\x82\xAC 5"},
        {"latin1", "<meta charset=latin1><p>\x85</p>", "windows-1252", "\xE2\x80\xA6"},
        {"us-ascii", "<meta charset=us-ascii><p>\x99</p>", "windows-1252", "\xE2\x84\xA2"},
        {"Shift_JIS keeps the tilde and has the circled digits",
         "<meta charset=Shift_JIS><p>~user \x87\x40 \x82\xA0</p>", "shift_jis", "~user \xE2\x91\xA0 \xE3\x81\x82"},
        {"x-sjis", "<meta charset=x-sjis><p>a~b</p>", "shift_jis", "a~b"},
        {"gb2312 is GBK", "<meta charset=gb2312><p>\x81\x40\xC4\xE3</p>", "gbk", "\xE4\xB8\x82\xE4\xBD\xA0"},
        {"gbk", "<meta charset=gbk><p>\x81\x40</p>", "gbk", "\xE4\xB8\x82"},
        {"ks_c_5601-1987 is windows-949", "<meta charset=ks_c_5601-1987><p>\x81\x41\xB0\xA1</p>", "euc-kr",
         "\xEA\xB0\x82\xEA\xB0\x80"},
        {"euc-kr is windows-949", "<meta charset=euc-kr><p>\x81\x41</p>", "euc-kr", "\xEA\xB0\x82"},
    };
    for (const auto& c : cases) {
        HtmlDocument document;
        LoadPage(document, c.bytes);
        EXPECT_EQ(c.charset, document.Charset()) << c.what;
        EXPECT_EQ(c.text, document.All().back().InnerText()) << c.what;
        ASSERT_TRUE(document.SetCharset("utf-8"));
        EXPECT_NE(std::string::npos, document.Serialize().find(c.text)) << c.what;
    }
    HtmlDocument utf16;
    LoadPage(utf16, "<meta charset=utf-16le><p>ok</p>");
    EXPECT_EQ("utf-8", utf16.Charset());
    EXPECT_TRUE(utf16.SetCharset("UTF-16BE"));
    EXPECT_EQ("utf-16be", utf16.Charset());
}
