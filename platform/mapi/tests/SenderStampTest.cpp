// What the spooler stamps on the mail it sends, read back by Python's email
// package as a receiving server reads it.

#include "MapiTestSupport.h"

#include "testsupport/StandardMail.h"

#include <set>

namespace {

using pollenta::testsupport::ReadStandardMail;
using pollenta::testsupport::StandardMail;

}  // namespace

class CSenderStampTest : public CMapiTest {
protected:
    void SetUp() override
    {
        CMapiTest::SetUp();
        ASSERT_EQ(S_OK, pollenta::mapi::SetSpoolerHold("Test", true));
    }

    CComPtr<IMessage> NewInOutbox(const std::string& subject)
    {
        CComPtr<IMessage> message;
        EXPECT_EQ(S_OK, SpecialFolder(m_store, PR_IPM_OUTBOX_ENTRYID)->CreateMessage(nullptr, 0, &message));
        SetString(message, PR_SUBJECT_A, subject);
        SetString(message, PR_BODY_A, "Text of " + subject);
        return message;
    }

    void Submit(const std::string& subject, const std::string& name = "Bob", const std::string& address = "bob@example.com")
    {
        CComPtr<IMessage> message = NewInOutbox(subject);
        AddRecipient(message, name, address);
        ASSERT_EQ(S_OK, message->SubmitMessage(FORCE_SUBMIT));
    }

    // The text GetLastError gives for a failed flush.
    std::string FlushError(HRESULT& hr)
    {
        CComPtr<IMAPIStatus> spooler = Spooler();
        hr = spooler->FlushQueues(0, 0, nullptr, FLUSH_UPLOAD);
        LPMAPIERROR error = nullptr;
        if (FAILED(hr) && SUCCEEDED(spooler->GetLastError(hr, 0, &error)) && error) {
            std::string text = error->lpszError ? reinterpret_cast<const char*>(error->lpszError) : "";
            MAPIFreeBuffer(error);
            return text;
        }
        return {};
    }

    ULONG Outbox() { return RowCount(SpecialFolder(m_store, PR_IPM_OUTBOX_ENTRYID)); }
};

TEST_F(CSenderStampTest, EveryCopyLeavesWithTheProfilesSenderADateAndItsOwnMessageId)
{
    constexpr int kCopies = 500;
    for (int i = 0; i < kCopies; ++i) Submit("Copy " + std::to_string(i));
    ASSERT_EQ(S_OK, Spooler()->FlushQueues(0, 0, nullptr, FLUSH_UPLOAD));

    std::vector<StandardMail> mails = ReadStandardMail(EmlFiles(Outgoing()));
    ASSERT_EQ(static_cast<std::size_t>(kCopies), mails.size());
    std::set<std::string> ids;
    for (const StandardMail& mail : mails) {
        SCOPED_TRACE(mail.file);
        EXPECT_EQ(0, mail.defects);
        EXPECT_EQ("sender@example.org", mail.fromAddress);
        EXPECT_EQ("Test Sender", mail.fromName);
        EXPECT_FALSE(mail.date.empty());
        EXPECT_TRUE(mail.messageId.ends_with("@example.org>")) << mail.messageId;
        ids.insert(mail.messageId);
    }
    EXPECT_EQ(static_cast<std::size_t>(kCopies), ids.size());
}

TEST_F(CSenderStampTest, TheSentItemKeepsWhatWasStampedOnIt)
{
    Submit("Kept");
    ASSERT_EQ(S_OK, Spooler()->FlushQueues(0, 0, nullptr, FLUSH_UPLOAD));
    std::vector<StandardMail> mails = ReadStandardMail(EmlFiles(Outgoing()));
    ASSERT_EQ(1u, mails.size());

    CComPtr<IMAPIFolder> sent = SpecialFolder(m_store, PR_IPM_SENTMAIL_ENTRYID);
    CComPtr<IMAPITable> table;
    ASSERT_EQ(S_OK, sent->GetContentsTable(0, &table));
    SizedSPropTagArray(3, columns) = {3, {PR_INTERNET_MESSAGE_ID_A, PR_SENDER_EMAIL_ADDRESS_A, PR_SENT_REPRESENTING_NAME_A}};
    LPSRowSet rows = nullptr;
    ASSERT_EQ(S_OK, HrQueryAllRows(table, reinterpret_cast<LPSPropTagArray>(&columns), nullptr, nullptr, 0, &rows));
    ASSERT_EQ(1u, rows->cRows);
    EXPECT_EQ(mails[0].messageId, "<" + std::string(rows->aRow[0].lpProps[0].Value.lpszA) + ">");
    EXPECT_STREQ("sender@example.org", rows->aRow[0].lpProps[1].Value.lpszA);
    EXPECT_STREQ("Test Sender", rows->aRow[0].lpProps[2].Value.lpszA);
    FreeProws(rows);
}

TEST_F(CSenderStampTest, ASenderAndMessageIdTheMessageHasAreKept)
{
    CComPtr<IMessage> message = NewInOutbox("Own sender");
    SetString(message, PR_SENDER_NAME_A, "Ann Other");
    SetString(message, PR_SENDER_EMAIL_ADDRESS_A, "ann@other.example");
    SetString(message, PR_SENT_REPRESENTING_NAME_A, "Ann Other");
    SetString(message, PR_SENT_REPRESENTING_EMAIL_ADDRESS_A, "ann@other.example");
    SetString(message, PR_INTERNET_MESSAGE_ID_A, "given.1@other.example");
    AddRecipient(message, "Bob", "bob@example.com");
    ASSERT_EQ(S_OK, message->SubmitMessage(FORCE_SUBMIT));
    ASSERT_EQ(S_OK, Spooler()->FlushQueues(0, 0, nullptr, FLUSH_UPLOAD));

    std::vector<StandardMail> mails = ReadStandardMail(EmlFiles(Outgoing()));
    ASSERT_EQ(1u, mails.size());
    EXPECT_EQ("ann@other.example", mails[0].fromAddress);
    EXPECT_EQ("<given.1@other.example>", mails[0].messageId);
}

TEST_F(CSenderStampTest, WithoutASenderAddressMailWaitsInTheOutboxAndGoesOnceThereIsOne)
{
    ASSERT_EQ(S_OK, pollenta::mapi::SetProfileIdentity("Test", "", ""));
    Submit("Waiting");
    HRESULT hr = S_OK;
    std::string error = FlushError(hr);
    EXPECT_TRUE(FAILED(hr));
    EXPECT_NE(std::string::npos, error.find("no sender address")) << error;
    EXPECT_TRUE(EmlFiles(Outgoing()).empty());
    EXPECT_EQ(1u, Outbox());

    ASSERT_EQ(S_OK, pollenta::mapi::SetProfileIdentity("Test", "", "late@example.net"));
    ASSERT_EQ(S_OK, Spooler()->FlushQueues(0, 0, nullptr, FLUSH_UPLOAD));
    std::vector<StandardMail> mails = ReadStandardMail(EmlFiles(Outgoing()));
    ASSERT_EQ(1u, mails.size());
    EXPECT_EQ("late@example.net", mails[0].fromAddress);
    EXPECT_TRUE(mails[0].messageId.ends_with("@example.net>")) << mails[0].messageId;
    EXPECT_EQ(0u, Outbox());
}

TEST_F(CSenderStampTest, ARecipientWithoutAnAddressKeepsItsMessageInTheOutboxNamingIt)
{
    Submit("Before");
    Submit("Unreachable", "No Mail", "");
    Submit("After");
    HRESULT hr = S_OK;
    std::string error = FlushError(hr);
    EXPECT_TRUE(FAILED(hr));
    EXPECT_NE(std::string::npos, error.find("\"No Mail\"")) << error;

    std::vector<StandardMail> mails = ReadStandardMail(EmlFiles(Outgoing()));
    ASSERT_EQ(2u, mails.size());
    for (const StandardMail& mail : mails) {
        SCOPED_TRACE(mail.file);
        ASSERT_EQ(1u, mail.to.size());
        EXPECT_EQ("bob@example.com", mail.to[0]);
    }
    EXPECT_EQ(1u, Outbox());
}
