// Reading settings as numbers and as texts.

#include "CWEPropertyList.h"

#include <gtest/gtest.h>

namespace {

TEST(PropertyListTest, TextThatIsNoNumberCountsAsZeroAndStaysText)
{
    CWEPropertyList list;
    list.Set("NoEmptySections", std::string("yes"));
    EXPECT_EQ(0, list.GetNumber("noemptysections"));
    EXPECT_EQ("yes", list.GetText("NoEmptySections"));
    EXPECT_EQ(0, list.GetNumber("Missing"));
    EXPECT_EQ("", list.GetText("Missing"));
}

TEST(PropertyListTest, ReadingConvertsInPlace)
{
    CWEPropertyList list;
    list.Set("Viewer", std::string("12"));
    EXPECT_EQ(12, list.GetNumber("Viewer"));
    EXPECT_TRUE(std::holds_alternative<LONG>(list.Find("viewer")->value));
    list.Set("Count", LONG{-7});
    EXPECT_EQ("-7", list.GetText("COUNT"));
    EXPECT_TRUE(std::holds_alternative<std::string>(list.Find("Count")->value));
}

TEST(PropertyListTest, FirstNameStaysAndOrderIsKept)
{
    CWEPropertyList list;
    list.Set("Subject", std::string("a"));
    list.Set("Email", std::string("b"));
    const auto& entry = list.Set("SUBJECT", LONG{3});
    EXPECT_EQ("Subject", entry.name);
    ASSERT_EQ(2u, list.Entries().size());
    EXPECT_EQ("Subject", list.Entries()[0].name);
    EXPECT_EQ(3, std::get<LONG>(list.Entries()[0].value));
}

TEST(PropertyListTest, LettersBeyondAsciiMatchInAnyCase)
{
    CWEPropertyList list;
    list.Set("Тема", std::string("x"));
    list.Set("Ζωής", std::string("y"));
    ASSERT_NE(nullptr, list.Find("ТЕМА"));
    EXPECT_EQ(nullptr, list.Find("Темы"));
    // A final sigma folds to the sigma that capital letters lower to.
    ASSERT_NE(nullptr, list.Find("ΖΩΉΣ"));
    EXPECT_EQ("Ζωής", list.Find("ΖΩΉΣ")->name);
}

TEST(PropertyListTest, PlainNamesMatchInAnyCaseAndSignsThatFoldToLettersToo)
{
    CWEPropertyList list;
    list.Set("SuccessMark", std::string("[OK]"));
    list.Set("Kelvin", std::string("273"));
    const struct {
        const char* asked;
        const char* found;  // nullptr: none
    } cases[] = {
        {"successmark", "SuccessMark"}, {"SUCCESSMARK", "SuccessMark"}, {"SuccessMar", nullptr},
        {"SuccessMarks", nullptr},      {"Success_ark", nullptr},      {"\u212Aelvin", "Kelvin"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.asked);
        const auto* found = list.Find(c.asked);
        EXPECT_EQ(c.found ? std::string(c.found) : "<none>", found ? found->name : "<none>");
    }
}

}  // namespace
