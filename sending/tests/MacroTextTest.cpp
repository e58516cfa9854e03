#include "sender/CWERollBackDlg.h"
#include "sender/MacroMerge.h"
#include "sender/MacroText.h"

#include <gtest/gtest.h>

namespace {

struct EscapeCase {
    const char* name;
    std::string value;
    std::string rtf;
    std::string html;
};

TEST(MacroText, ValuesAreEscapedForTheBodyTheyGoInto)
{
    const EscapeCase cases[] = {
        {"plain ASCII", "John", "John", "John"},
        {"markup characters", "Smith & \"Co\" <x>", "Smith & \"Co\" <x>", "Smith &amp; &quot;Co&quot; &lt;x&gt;"},
        {"apostrophe", "O'Neil", "O'Neil", "O&#39;Neil"},
        {"RTF specials", "CORP\\jsmith {a}", "CORP\\\\jsmith \\{a\\}", "CORP\\jsmith {a}"},
        {"line break", "a\r\nb", "a{\\*\\htmltag116 <BR>}\\htmlrtf \\line\r\n\\htmlrtf0 b", "a\r\nb"},
        {"lone line feed", "a\nb", "a\nb", "a\nb"},
        {"Cyrillic, per character", "\xD0\x98\xD0\xB2", "{\\uc1 \\u1048?\\u1074?}", "&#1048;&#1074;"},
        {"beyond 16 bits", "\xF0\x9F\x98\x80", "{\\uc1 \\u-10179?\\u-8704?}", "&#128512;"},
        {"empty", "", "", ""},
    };
    for (const EscapeCase& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(c.rtf, EscapeTextForRtf(c.value));
        EXPECT_EQ(c.html, EscapeTextForHtml(c.value));
    }
}

TEST(MacroText, TheFirstMatchingKeyWinsAndValuesAreNotScannedAgain)
{
    const MacroValueList values = {{"%A%", "%B%"}, {"%AB%", "long"}, {"%B%", "b"}, {"", "never"}};
    EXPECT_EQ("x %B% long b 100% %C%", ReplaceMacroKeys("x %A% %AB% %B% 100% %C%", values));
    EXPECT_EQ("", ReplaceMacroKeys("", values));
}

TEST(MacroText, OnlyTheKeyWithDoublePercentSignsIsReplaced)
{
    const MacroValueList values = {{"%%RECIPIENT%%", "ann@example.com"}};
    EXPECT_EQ("to ann@example.com, %RECIPIENT%", ReplaceMacroKeys("to %%RECIPIENT%%, %RECIPIENT%", values));
}

TEST(MacroText, FirstAndLastNamesSplitAtSeparators)
{
    const struct {
        const char* name;
        const char* first;
        const char* last;
    } cases[] = {
        {"Smith, John", "Smith", "John"},
        {"Anna", "Anna", "Anna"},
        {"Anna ", "Anna", ""},
        {" Anna", "", "Anna"},
        {"a.b:c;d", "a", "d"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(c.first, FirstNameOf(c.name));
        EXPECT_EQ(c.last, LastNameOf(c.name));
    }
}

TEST(RollBackText, TheCountReplacesTheTokenAndTheRestStaysText)
{
    EXPECT_EQ("3 prepared for sending", InsertPreparedCount("%i prepared for sending", 3));
    // A translation with other format sequences is never used as a format.
    EXPECT_EQ("%s: 7 of %i %n", InsertPreparedCount("%s: %i of %i %n", 7));
    EXPECT_EQ("no token", InsertPreparedCount("no token", 7));
}

}  // namespace
