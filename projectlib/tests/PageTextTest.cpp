// The small texts of the page: colours, lengths and escapes.

#include "CWEColorText.h"
#include "CWEHtmlText.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

TEST(PageText, WritesColoursAsCss)
{
    const struct {
        LONG value;
        const char* expected;
    } cases[] = {
        {255, "#ff0000"},
        {0xF7FFFF, "#ffff f7"},
        {static_cast<LONG>(0x80000005), "window"},
        {static_cast<LONG>(0x8000000F), "buttonface"},
        {static_cast<LONG>(0x80000014), "buttonhighlight"},
        {static_cast<LONG>(0x80000018), "infobackground"},
        {static_cast<LONG>(0x80000019), "-2147483623"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.value);
        std::string expected = c.expected;
        expected.erase(std::remove(expected.begin(), expected.end(), ' '), expected.end());
        EXPECT_EQ(expected, gastrel::ColorText(c.value));
    }
}

TEST(PageText, WritesCentimetresWithTwoDecimalsWhateverTheLocale)
{
    EXPECT_EQ("5.00", gastrel::Centimetres(2835));
    EXPECT_EQ("0.00", gastrel::Centimetres(0));
    EXPECT_EQ("-1.00", gastrel::Centimetres(-567));
    EXPECT_EQ("0.56", gastrel::Centimetres(315));
}

TEST(PageText, EscapesLabelsAttributesAndMailAddressesEachInTheirWay)
{
    EXPECT_EQ("&nbsp;&nbsp;a&lt;b", gastrel::EscapeLabel("  a<b"));
    EXPECT_EQ("a &amp; &quot;b&quot;", gastrel::EscapeAttribute("a & \"b\""));
    EXPECT_EQ("x & y", gastrel::EscapeLabel("x & y"));
    EXPECT_EQ("100%25%20sure%3F", gastrel::PercentEncode("100% sure?"));
    EXPECT_EQ("ann@example.com", gastrel::PercentEncode("ann@example.com", "@"));
}

}  // namespace
