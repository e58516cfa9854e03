// Texts ordered as a sorted list shows them to the user: case aside, in the
// user's collation, in the ANSI code page of the process.

#include "AnsiCodePage.h"

#include "win/Locale.h"

#include <gtest/gtest.h>

namespace {

int Sign(int order) { return order < 0 ? -1 : order > 0 ? 1 : 0; }

}  // namespace

TEST(CompareTextTest, CaseDoesNotOrderWordsButLettersDo)
{
    const struct {
        const char* a;
        const char* b;
        int order;
    } cases[] = {
        {"apple survey", "Zulu survey", -1},
        {"Zulu survey", "apple survey", 1},
        {"Beta", "beta", 0},
        {"\xD0\xB0\xD0\xB8\xD1\x81\xD1\x82", "\xD0\x91\xD0\xBE\xD1\x80", -1},  // аист before Бор
        {"", "a", -1},
        {"abc", "ab", 1},
    };
    for (const auto& test : cases) {
        SCOPED_TRACE(std::string(test.a) + " / " + test.b);
        EXPECT_EQ(test.order, Sign(lstrcmpi(test.a, test.b)));
    }
}

TEST(CompareTextTest, ASingleByteCodePageIsReadAsItsLetters)
{
    AnsiCodePage cyrillic(1251);
    // "ёж" and "Ёлка" in code page 1251: the same first letter in two cases.
    EXPECT_EQ(-1, Sign(lstrcmpi("\xB8\xE6", "\xA8\xEB\xEA\xE0")));
    EXPECT_EQ(0, Sign(lstrcmpi("\xB8\xE6", "\xA8\xC6")));
}
