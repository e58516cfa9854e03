// The copies of both sending methods as a receiving server reads them, with
// Python's email package: each with the profile's sender, a date and a
// message id of its own.

#include "SendingFixture.h"

#include "testsupport/StandardMail.h"

namespace {

using pollenta::testsupport::ReadStandardMail;
using pollenta::testsupport::StandardMail;

constexpr int kCopies = 500;

std::vector<std::filesystem::path> Files(const std::string& folder)
{
    std::vector<std::filesystem::path> files;
    for (const auto& entry : std::filesystem::directory_iterator(folder))
        if (entry.path().extension() == ".eml") files.push_back(entry.path());
    return files;
}

}  // namespace

class SentHeadersTest : public SolvendaTest {
public:
    void SetUp() override
    {
        SolvendaTest::SetUp();
        SetHtml("<HTML><BODY><P>Dear %%RECIPIENT%%</P></BODY></HTML>");
        for (int i = 0; i < kCopies; ++i) {
            const std::string name = "Reader " + std::to_string(i);
            AddEntry(User(name, "reader" + std::to_string(i) + "@example.com"), name);
        }
    }

    void ExpectCompleteCopies()
    {
        ASSERT_EQ(S_OK, Spooler()->FlushQueues(0, 0, nullptr, FLUSH_UPLOAD));
        std::vector<StandardMail> mails = ReadStandardMail(Files(Outgoing()));
        ASSERT_EQ(static_cast<std::size_t>(kCopies), mails.size());
        std::set<std::string> ids;
        for (const StandardMail& mail : mails) {
            SCOPED_TRACE(mail.file);
            EXPECT_EQ(0, mail.defects);
            EXPECT_EQ("sender@example.org", mail.fromAddress);
            EXPECT_FALSE(mail.date.empty());
            EXPECT_TRUE(mail.messageId.ends_with("@example.org>")) << mail.messageId;
            EXPECT_EQ(1u, mail.to.size());
            ids.insert(mail.messageId);
        }
        EXPECT_EQ(static_cast<std::size_t>(kCopies), ids.size());
    }
};

TEST_F(SentHeadersTest, EveryCopyOfTheFirstMethodHasASenderADateAndItsOwnMessageId)
{
    ASSERT_EQ(S_OK, Send());
    ExpectCompleteCopies();
}

TEST_F(SentHeadersTest, EveryCopyOfTheSecondMethodHasASenderADateAndItsOwnMessageId)
{
    ASSERT_EQ(S_OK, m_object->putref_Item(DraftItem()));
    ASSERT_EQ(S_OK, m_object->Solvenda3(0, VARIANT_FALSE, CComBSTR(""), CComBSTR("")));
    PumpWaitingMessages();
    ExpectCompleteCopies();
}
