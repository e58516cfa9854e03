// Mail fetched from the account's IMAP mailbox: Dovecot on 127.0.0.1 with a
// configuration of the test's own, messages placed into its Maildir as a
// delivery agent leaves them.

#include "MailServerTestSupport.h"

#include <csignal>
#include <set>

namespace {

using pollenta::testsupport::ChildProcess;
using pollenta::testsupport::ImapTestServer;

std::string Answer(int number)
{
    return "From: Reader " + std::to_string(number) + " <reader" + std::to_string(number) +
           "@example.com>\r\n"
           "To: sender@example.org\r\n"
           "Subject: Re: Survey\r\n"
           "Date: Tue, 08 Dec 2026 10:00:00 +0000\r\n"
           "Message-ID: <answer" +
           std::to_string(number) +
           "@example.com>\r\n"
           "MIME-Version: 1.0\r\n"
           "Content-Type: text/plain; charset=utf-8\r\n\r\n"
           "Answer number " +
           std::to_string(number) + "\r\n";
}

}  // namespace

class CImapAccountTest : public CMailServerTest {
public:
    void SetUp() override
    {
        CMailServerTest::SetUp();
        m_server = std::make_unique<ImapTestServer>(m_folder.Path() / "imap", m_certificate, kUser, kPassword);
        // Sending stays with the outgoing folder; only fetching is tested.
        m_account.smtpUrl = "smtp://127.0.0.1:1";
        m_account.imapUrl = m_server->Url();
        UseAccount(m_account);
    }

    std::size_t Fetch()
    {
        std::size_t delivered = 0;
        EXPECT_EQ(S_OK, pollenta::mapi::FetchMail("Test", delivered)) << pollenta::mapi::AdminErrorText();
        return delivered;
    }

    // The Message-IDs of the Inbox, each as often as it is there.
    std::multiset<std::string> InboxIds()
    {
        CComPtr<IMAPITable> table;
        EXPECT_EQ(S_OK, Inbox(m_store)->GetContentsTable(0, &table));
        SizedSPropTagArray(1, columns) = {1, {PR_INTERNET_MESSAGE_ID_A}};
        LPSRowSet rows = nullptr;
        EXPECT_EQ(S_OK, HrQueryAllRows(table, reinterpret_cast<LPSPropTagArray>(&columns), nullptr, nullptr, 0, &rows));
        std::multiset<std::string> ids;
        for (ULONG i = 0; rows && i < rows->cRows; ++i)
            if (PROP_TYPE(rows->aRow[i].lpProps[0].ulPropTag) == PT_STRING8) ids.insert(rows->aRow[i].lpProps[0].Value.lpszA);
        FreeProws(rows);
        return ids;
    }

    std::unique_ptr<ImapTestServer> m_server;
};

TEST_F(CImapAccountTest, PlacedMessagesAreDeliveredOnceAndStayOnTheServer)
{
    for (int i = 0; i < 5; ++i) m_server->Place(Answer(i));
    EXPECT_EQ(5u, Fetch());
    EXPECT_EQ(0u, Fetch());
    m_server->Place(Answer(5));
    EXPECT_EQ(1u, Fetch());
    std::multiset<std::string> ids = InboxIds();
    EXPECT_EQ(6u, ids.size());
    EXPECT_EQ(6u, std::set<std::string>(ids.begin(), ids.end()).size());
    EXPECT_EQ(1u, ids.count("answer5@example.com"));
}

TEST_F(CImapAccountTest, ARestartedServerAndANewSessionFetchNothingTwice)
{
    for (int i = 0; i < 3; ++i) m_server->Place(Answer(i));
    EXPECT_EQ(3u, Fetch());
    m_server->Stop();
    m_server->Start();
    m_session->Logoff(0, 0, 0);
    EXPECT_EQ(0u, Fetch());
    EXPECT_EQ(3u, InboxIds().size());
}

TEST_F(CImapAccountTest, AChangedUidValidityDeliversNothingTwice)
{
    for (int i = 0; i < 4; ++i) m_server->Place(Answer(i));
    EXPECT_EQ(4u, Fetch());
    m_server->Renumber();
    m_server->Place(Answer(4));
    EXPECT_EQ(1u, Fetch());
    std::multiset<std::string> ids = InboxIds();
    EXPECT_EQ(5u, ids.size());
    EXPECT_EQ(5u, std::set<std::string>(ids.begin(), ids.end()).size());
}

TEST_F(CImapAccountTest, AWrongPasswordIsReportedAndNothingIsDelivered)
{
    m_server->Place(Answer(0));
    std::ofstream(m_dir + "/password") << "wrong\n";
    std::size_t delivered = 0;
    EXPECT_TRUE(FAILED(pollenta::mapi::FetchMail("Test", delivered)));
    EXPECT_NE(std::string::npos, pollenta::mapi::AdminErrorText().find(m_server->Url()))
        << pollenta::mapi::AdminErrorText();
    EXPECT_EQ(0u, InboxIds().size());
}

TEST_F(CImapAccountTest, AKillDuringAFetchOfFiveHundredLosesNoneAndDoublesNone)
{
    constexpr int kMessages = 500;
    for (int i = 0; i < kMessages; ++i) m_server->Place(Answer(i));
    {
        ChildProcess fetcher({POLLENTA_BIN_DIR "/mapitool", "fetch"});
        ASSERT_TRUE(WaitFor([&] { return InboxIds().size() >= 50; }));
        fetcher.Stop(SIGKILL);
    }
    std::size_t before = InboxIds().size();
    EXPECT_LT(before, static_cast<std::size_t>(kMessages)) << "the fetch ended before the kill";
    EXPECT_EQ(kMessages - before, Fetch());
    std::multiset<std::string> ids = InboxIds();
    EXPECT_EQ(static_cast<std::size_t>(kMessages), ids.size());
    EXPECT_EQ(static_cast<std::size_t>(kMessages), std::set<std::string>(ids.begin(), ids.end()).size());
}
