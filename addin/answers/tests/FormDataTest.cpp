// The answer detector, the form-data parser and the decoder of names and
// values, over texts as mail clients post a survey page's form.

#include "form/DecodeFormText.h"
#include "form/ParseFormData.h"

#include "win/CodePage.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using Pairs = std::vector<std::pair<std::string, std::string>>;

Pairs Parse(std::string_view text)
{
    CWEFormFieldList fields;
    EXPECT_TRUE(ParseFormData(text, fields)) << text;
    Pairs pairs;
    for (const CWEFormField& field : fields) {
        EXPECT_FALSE(field.m_bUsed);
        pairs.emplace_back(field.m_strName, field.m_strValue);
    }
    return pairs;
}

std::string Decoded(std::string text)
{
    EXPECT_EQ(FormTextDecoding::Decoded, DecodeFormText(text)) << text;
    return text;
}

}  // namespace

TEST(FormDataTest, AnAnswerIsTextWhoseProjectIdKeyStandsAsAName)
{
    const struct {
        const char* text;
        bool answer;
    } cases[] = {
        {"kqProjectID=7&Name=x", true},
        {"&&\t kqprojectid=3", true},
        {"a=1&KQPROJECTID=3", true},
        {"a=1 kqprojectid =3", true},
        {"kqprojectid", true},
        {"xkqprojectid=3", false},
        {"kqprojectid:3", false},
        {"kqprojectidx=3", false},
        {"a=1\tkqprojectid=3", false},
        {"", false},
        {"kqprojecti", false},
        // The key first appears inside a value or another name; the real
        // pair later still makes it an answer.
        {"Comment=about+kqprojectid+values&kqProjectID=4", true},
        {"xkqprojectid=1&kqprojectid=4", true},
        {"Note=mykqprojectid&b=2", false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(c.answer, HasProjectIdKey(c.text));
    }
}

TEST(FormDataTest, TheDetectorStopsAtTheFirstNul)
{
    const std::string text("a=1\0kqprojectid=3", 17);
    EXPECT_FALSE(HasProjectIdKey(text));
}

TEST(FormDataTest, PairsAreSplitAsThePostedTextRuns)
{
    const struct {
        const char* text;
        Pairs pairs;
    } cases[] = {
        {"kqProjectID=7&Name=J%C3%BCrgen+M", {{"kqProjectID", "7"}, {"Name", "J\u00fcrgen M"}}},
        {"a=1&&b=2", {{"a", "1"}, {"&b", "2"}}},
        {"a=1&=2&c", {{"a", "1"}}},
        {"a=", {{"a", ""}}},
        {"&&\t kqprojectid=3", {{"kqprojectid", "3"}}},
        {"kqprojectid=1&kqprojectid=2", {{"kqprojectid", "1"}, {"kqprojectid", "2"}}},
        {" name = value \r\n", {{"name", "value"}}},
        {"a=x=y&b=", {{"a", "x=y"}, {"b", ""}}},
        {"no pairs here", {}},
        {"Notes=line%0D%0Aline2&T=a%09b", {{"Notes", "line\r\nline2"}, {"T", "a\tb"}}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(c.pairs, Parse(c.text));
    }
}

TEST(FormDataTest, AnEmptyTextIsNoFormData)
{
    CWEFormFieldList fields;
    EXPECT_FALSE(ParseFormData("", fields));
    EXPECT_TRUE(fields.empty());
}

TEST(FormDataTest, EscapesDecodeToUtf8TextAndBrokenOnesStayReadable)
{
    const struct {
        const char* encoded;
        const char* decoded;
    } cases[] = {
        {"%41", "A"},
        {"%4", "4"},
        {"abc%", "abc%"},
        {"%zz", "zz"},
        {"%00", "00"},
        {"%e2%82%ac", "\u20ac"},
        {"a+b++c", "a b  c"},
        {"%2B", "+"},
        {"  padded  ", "padded"},
        {"", ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.encoded);
        EXPECT_EQ(c.decoded, Decoded(c.encoded));
    }
}

TEST(FormDataTest, DecodedTextIsGivenInTheAnsiCodePage)
{
    ASSERT_TRUE(SetAnsiCodePage(1252));
    const std::string text = Decoded("J%C3%BCrgen");
    SetAnsiCodePage(CP_UTF8);
    EXPECT_EQ("J\xFCrgen", text);
}

TEST(FormDataTest, TextIsReadInTheAnswersCodePageAndNeverStoredDamaged)
{
    const struct {
        const char* name;
        const char* encoded;
        UINT codePage;
        UINT ansiCodePage;
        FormTextDecoding decoding;
        const char* text;
    } cases[] = {
        {"windows-1252 page", "K%F6ln", 1252, CP_UTF8, FormTextDecoding::Decoded, "Köln"},
        {"windows-1251 page", "%CC%EE%F1%EA%E2%E0", 1251, CP_UTF8, FormTextDecoding::Decoded, "Москва"},
        {"Shift_JIS page", "%93%8C%8B%9E", 932, CP_UTF8, FormTextDecoding::Decoded, "東京"},
        {"windows-1251 page, ANSI 1251", "%CC%EE%F1%EA%E2%E0", 1251, 1251, FormTextDecoding::Decoded,
         "\xCC\xEE\xF1\xEA\xE2\xE0"},
        {"not UTF-8 though declared so", "+K%F6ln+", CP_UTF8, CP_UTF8, FormTextDecoding::NotText, "+K%F6ln+"},
        {"undefined in windows-1252", "%81", 1252, CP_UTF8, FormTextDecoding::NotText, "%81"},
        {"Cyrillic under ANSI 1252", "%D0%9C%D0%BE%D1%81%D0%BA%D0%B2%D0%B0", CP_UTF8, 1252, FormTextDecoding::NotAnsi,
         "%D0%9C%D0%BE%D1%81%D0%BA%D0%B2%D0%B0"},
        {"the respondent's own question mark", "Why%3F", CP_UTF8, 1252, FormTextDecoding::Decoded, "Why?"},
        {"character references", "%26%231044%3B%26%231072%3B", 1252, CP_UTF8, FormTextDecoding::Decoded, "Да"},
        {"reference beyond the BMP", "%26%23128512%3B", CP_UTF8, CP_UTF8, FormTextDecoding::Decoded, "\U0001F600"},
        {"reference under ANSI 1252", "%26%231044%3B", 1252, 1252, FormTextDecoding::NotAnsi, "%26%231044%3B"},
        {"reference to a Latin letter under ANSI 1252", "%26%23252%3B", 1252, 1252, FormTextDecoding::Decoded, "\xFC"},
        {"no references", "%26%23%3B+%26%2312+%26%2355296%3B+%26%23x41%3B+%26%230%3B", CP_UTF8, CP_UTF8,
         FormTextDecoding::Decoded, "&#; &#12 &#55296; &#x41; &#0;"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        ASSERT_TRUE(SetAnsiCodePage(c.ansiCodePage));
        std::string text = c.encoded;
        const FormTextDecoding decoding = DecodeFormText(text, c.codePage);
        SetAnsiCodePage(CP_UTF8);
        EXPECT_EQ(c.decoding, decoding);
        EXPECT_EQ(c.text, text);
    }
}

TEST(FormDataTest, AnAnswerIsReadAsUtf8UnlessItsBytesAreNot)
{
    EXPECT_EQ(CP_UTF8, AnswerCodePage("kqprojectid=1&Name=J%C3%BCrgen", 1252));
    EXPECT_EQ(CP_UTF8, AnswerCodePage("kqprojectid=1&Name=Ann", 0));
    EXPECT_EQ(1252u, AnswerCodePage("kqprojectid=1&Name=J%FCrgen", 1252));
    EXPECT_EQ(CP_UTF8, AnswerCodePage("kqprojectid=1&Name=J%FCrgen", 0));
}

TEST(FormDataTest, APairThatCannotBeDecodedIsKeptAsItCameAndMarked)
{
    CWEFormFieldList fields;
    ASSERT_TRUE(ParseFormData("kqprojectid=1&Town=K%F6ln&Name=Ann", fields, CP_UTF8));
    ASSERT_EQ(3u, fields.size());
    EXPECT_TRUE(fields[0].IsDecoded());
    EXPECT_EQ(FormTextDecoding::NotText, fields[1].m_decoding);
    EXPECT_EQ("K%F6ln", fields[1].m_strValue);
    EXPECT_TRUE(fields[2].IsDecoded());
    ASSERT_TRUE(fields.AddAsIs("SenderEmail", "gus+survey@example.org"));
    EXPECT_EQ("gus+survey@example.org", fields.back().m_strValue);
    EXPECT_TRUE(fields.back().IsDecoded());
}

TEST(FormDataTest, AValueOfAHundredThousandCharactersIsKeptWhole)
{
    const std::string value(100000, 'x');
    const Pairs pairs = Parse("kqprojectid=1&Long=" + value + "&After=1");
    ASSERT_EQ(3u, pairs.size());
    EXPECT_EQ(value, pairs[1].second);
    EXPECT_EQ((std::pair<std::string, std::string>("After", "1")), pairs[2]);
}
