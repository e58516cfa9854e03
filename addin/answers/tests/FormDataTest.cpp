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
    EXPECT_TRUE(DecodeFormText(text));
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
        // Bytes that are not UTF-8 (a page in another charset) are replaced,
        // never passed on as broken text.
        {"Caf%E9", "Caf\ufffd"},
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

TEST(FormDataTest, AValueOfAHundredThousandCharactersIsKeptWhole)
{
    const std::string value(100000, 'x');
    const Pairs pairs = Parse("kqprojectid=1&Long=" + value + "&After=1");
    ASSERT_EQ(3u, pairs.size());
    EXPECT_EQ(value, pairs[1].second);
    EXPECT_EQ((std::pair<std::string, std::string>("After", "1")), pairs[2]);
}
