// The charset of a page as old editors wrote it, found from its bytes, and
// text converted to and from it.

#include "CharsetDetector.h"
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
         "<HTML><HEAD><META HTTP-EQUIV=Content-Type CONTENT=\"text/html; charset=windows-1251\"></HEAD>", "windows-1251",
         0},
        {"content before http-equiv, no blank after ;",
         "<meta content='text/html;charset=ISO-8859-2' http-equiv='content-type'>", "iso-8859-2", 0},
        {"unquoted content", "<META http-equiv=content-type content=text/html;charset=koi8-r>", "koi8-r", 0},
        {"HTML 5 charset attribute", "<meta charset=\"UTF-8\"><p>\xC3\xA9</p>", "utf-8", 0},
        {"META inside a comment is no META",
         "<!-- <meta charset=koi8-r> --><p>\xC3\xA9</p>", "utf-8", 0},
        {"refresh META names no charset", "<META http-equiv=Refresh content=\"5; charset=koi8-r\"><p>\xE9</p>",
         "windows-1252", 0},
        {"unknown charset falls back", "<META http-equiv=Content-Type content=\"text/html; charset=x-nonsense\">\xE9",
         "windows-1252", 0},
        {"META claiming UTF-16 in ASCII bytes", "<META charset=utf-16><p>ok</p>", "utf-8", 0},
        {"no META, valid UTF-8", "<P>Gr\xC3\xBC\xC3\x9F" "e</P>", "utf-8", 0},
        {"no META, Latin-1 bytes", "<P>Gr\xFC\xDF" "e</P>", "windows-1252", 0},
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

    ASSERT_TRUE(DecodeToUtf8("a\xFF" "b", "utf-8", utf8));
    EXPECT_EQ("a\xEF\xBF\xBD" "b", utf8);

    EXPECT_FALSE(DecodeToUtf8("abc", "x-nonsense", utf8));
    EXPECT_EQ("", utf8);
}

TEST(CharsetTest, CharactersTheTargetLacksBecomeCharacterReferences)
{
    std::string bytes;
    ASSERT_TRUE(EncodeFromUtf8("\xD0\x90 \xE2\x82\xAC \xE4\xB8\xAD", "windows-1251", bytes));  // "А € 中"
    EXPECT_EQ("\xC0 \x88 &#20013;", bytes);

    ASSERT_TRUE(EncodeFromUtf8("Gr\xC3\xBC\xC3\x9F" "e \xD0\x96", "windows-1252", bytes));
    EXPECT_EQ("Gr\xFC\xDF" "e &#1046;", bytes);
}
