// The answer address as the identity page accepts it.

#include "wizard/CWEEmailValidator.h"

#include <gtest/gtest.h>

TEST(EmailValidatorTest, NarrowGrammarOfAnswerAddresses)
{
    const struct {
        const char* address;
        bool valid;
    } cases[] = {
        {"a@b.c", true},          {"ann.lee@mail.example.org", true}, {"ann_lee@example.org", true},
        {"a@.c", false},          {"a@b.", false},                    {"a@bc", false},
        {"a.b@cd", false},        {"ann@ex_ample.org", false},        {"@b.c", false},
        {"a@", false},            {"a@@b.c", false},                  {"a@b@c.d", false},
        {"a+b@c.d", false},       {"a b@c.d", false},                 {"\xC3\xA4@c.d", false},
        {"", false},              {"a-b@c-d.e", true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.address);
        EXPECT_EQ(c.valid, CWEEmailValidator(c.address).IsValid());
    }
}

TEST(EmailValidatorTest, EachTestFailsForTheEmptyText)
{
    const CWEEmailValidator empty("");
    EXPECT_FALSE(empty.HasAt());
    EXPECT_FALSE(empty.HasSingleAt());
    EXPECT_FALSE(empty.AtNotFirst());
    EXPECT_FALSE(empty.AtNotLast());
    EXPECT_FALSE(empty.HasDomainDot());
    EXPECT_FALSE(empty.NoUnderscoreInDomain());
    EXPECT_TRUE(CWEEmailValidator("a@b.c").HasSingleAt());
    EXPECT_FALSE(CWEEmailValidator("a@b@c").HasSingleAt());
}
