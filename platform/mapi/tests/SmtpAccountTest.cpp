// The spooler sending through the account's SMTP server: aiosmtpd on
// 127.0.0.1 with STARTTLS and AUTH, reading what arrived as the server keeps it.

#include "MailServerTestSupport.h"

#include <csignal>
#include <map>
#include <set>

namespace {

using pollenta::testsupport::ChildProcess;
using pollenta::testsupport::ReadStandardMail;
using pollenta::testsupport::SmtpTestServer;
using pollenta::testsupport::StandardMail;
using pollenta::testsupport::TestCertificate;

std::string Contents(const std::filesystem::path& file)
{
    std::ifstream in(file, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

}  // namespace

class CSmtpAccountTest : public CMailServerTest {
public:
    void SetUp() override
    {
        CMailServerTest::SetUp();
        ASSERT_EQ(S_OK, pollenta::mapi::SetSpoolerHold("Test", true));
    }

    void StartServer(std::vector<std::string> refused = {})
    {
        m_server = std::make_unique<SmtpTestServer>(m_folder.Path() / "smtp", m_certificate, kUser, kPassword,
                                                    std::move(refused));
        m_account.smtpUrl = m_server->Url();
        UseAccount(m_account);
    }

    // A copy of a survey for one reader, with a Cc and a Bcc.
    void Submit(int number, const std::string& to)
    {
        CComPtr<IMessage> message;
        ASSERT_EQ(S_OK, SpecialFolder(m_store, PR_IPM_OUTBOX_ENTRYID)->CreateMessage(nullptr, 0, &message));
        SetString(message, PR_SUBJECT_A, "Survey " + std::to_string(number));
        SetString(message, PR_BODY_A, "Your copy, number " + std::to_string(number));
        AddRecipient(message, "Reader", to);
        ASSERT_EQ(S_OK, pollenta::mapi::WriteSmtpRecipient(message, MODRECIP_ADD, 0, "Office", "office@example.com", MAPI_CC));
        ASSERT_EQ(S_OK, pollenta::mapi::WriteSmtpRecipient(message, MODRECIP_ADD, 0, "Archive", "archive@example.com", MAPI_BCC));
        ASSERT_EQ(S_OK, message->SubmitMessage(FORCE_SUBMIT));
    }

    void SubmitMany(int count)
    {
        for (int i = 0; i < count; ++i) Submit(i, "reader" + std::to_string(i) + "@example.com");
    }

    // How often each reader's copy arrived.
    std::map<std::string, int> ArrivalsByReader()
    {
        std::map<std::string, int> arrivals;
        for (const SmtpTestServer::Mail& mail : m_server->Received())
            if (!mail.recipients.empty()) ++arrivals[mail.recipients.front()];
        return arrivals;
    }

    std::unique_ptr<SmtpTestServer> m_server;
};

TEST_F(CSmtpAccountTest, EveryCopyArrivesOnceWithItsEnvelopeAndNoBccHeader)
{
    StartServer();
    constexpr int kCopies = 200;
    SubmitMany(kCopies);
    ASSERT_EQ("", FlushError());

    std::vector<SmtpTestServer::Mail> received = m_server->Received();
    ASSERT_EQ(static_cast<std::size_t>(kCopies), received.size());
    std::vector<std::filesystem::path> files;
    std::set<std::string> readers;
    for (const SmtpTestServer::Mail& mail : received) {
        SCOPED_TRACE(mail.file);
        EXPECT_EQ("sender@example.org", mail.sender);
        ASSERT_EQ(3u, mail.recipients.size());
        readers.insert(mail.recipients[0]);
        EXPECT_EQ("office@example.com", mail.recipients[1]);
        EXPECT_EQ("archive@example.com", mail.recipients[2]);
        EXPECT_EQ(std::string::npos, Contents(mail.file).find("archive@example.com"));
        files.push_back(mail.file);
    }
    EXPECT_EQ(static_cast<std::size_t>(kCopies), readers.size());
    for (const StandardMail& mail : ReadStandardMail(files)) {
        SCOPED_TRACE(mail.file);
        EXPECT_EQ(0, mail.defects);
        EXPECT_TRUE(mail.bcc.empty());
        EXPECT_EQ(1u, mail.cc.size());
        EXPECT_FALSE(mail.messageId.empty());
    }
    EXPECT_EQ(0u, CountIn(PR_IPM_OUTBOX_ENTRYID));
    EXPECT_EQ(static_cast<ULONG>(kCopies), CountIn(PR_IPM_SENTMAIL_ENTRYID));
    EXPECT_FALSE(std::filesystem::exists(Outgoing()) && !std::filesystem::is_empty(Outgoing()));
}

TEST_F(CSmtpAccountTest, AWrongPasswordSaysSoAndTheMailWaitsInTheOutbox)
{
    StartServer();
    std::ofstream(m_dir + "/password") << "not the password\n";
    SubmitMany(3);
    std::string error = FlushError();
    EXPECT_NE(std::string::npos, error.find(m_server->Url())) << error;
    EXPECT_NE(std::string::npos, error.find("535")) << error;
    EXPECT_NE(std::string::npos, error.find("waits in the Outbox")) << error;
    EXPECT_EQ(std::string::npos, error.find("not the password")) << error;
    EXPECT_TRUE(m_server->Received().empty());
    EXPECT_EQ(3u, CountIn(PR_IPM_OUTBOX_ENTRYID));
}

TEST_F(CSmtpAccountTest, AServerThatIsDownAndComesBackGetsEveryMessageOnce)
{
    StartServer();
    m_server->Stop();
    SubmitMany(20);
    EXPECT_NE("", FlushError());
    EXPECT_EQ(20u, CountIn(PR_IPM_OUTBOX_ENTRYID));
    // The spooler tries again by itself once the hold is lifted.
    ASSERT_EQ(S_OK, pollenta::mapi::SetSpoolerHold("Test", false));
    std::this_thread::sleep_for(std::chrono::milliseconds(1500));
    m_server->Start();
    ASSERT_TRUE(WaitFor([&] { return CountIn(PR_IPM_OUTBOX_ENTRYID) == 0; }));
    std::map<std::string, int> arrivals = ArrivalsByReader();
    EXPECT_EQ(20u, arrivals.size());
    for (const auto& [reader, count] : arrivals) EXPECT_EQ(1, count) << reader;
}

TEST_F(CSmtpAccountTest, ARefusedRecipientGetsAReportInTheInboxAndTheOthersTheMessage)
{
    StartServer({"gone@example.com"});
    CComPtr<IMessage> message;
    ASSERT_EQ(S_OK, SpecialFolder(m_store, PR_IPM_OUTBOX_ENTRYID)->CreateMessage(nullptr, 0, &message));
    SetString(message, PR_SUBJECT_A, "Our survey");
    SetString(message, PR_BODY_A, "Please answer");
    AddRecipient(message, "Ann", "ann@example.com");
    AddRecipient(message, "Gone", "gone@example.com");
    AddRecipient(message, "Bob", "bob@example.com");
    ASSERT_EQ(S_OK, message->SubmitMessage(FORCE_SUBMIT));
    ASSERT_EQ("", FlushError());

    std::vector<SmtpTestServer::Mail> received = m_server->Received();
    ASSERT_EQ(1u, received.size());
    EXPECT_EQ((std::vector<std::string>{"ann@example.com", "bob@example.com"}), received[0].recipients);
    EXPECT_EQ(1u, CountIn(PR_IPM_SENTMAIL_ENTRYID));

    ASSERT_EQ(1u, CountInInbox());
    CComPtr<IMAPITable> table;
    ASSERT_EQ(S_OK, Inbox(m_store)->GetContentsTable(0, &table));
    SizedSPropTagArray(4, columns) = {4, {PR_SUBJECT_A, PR_MESSAGE_CLASS_A, PR_SENDER_NAME_A, PR_BODY_A}};
    LPSRowSet rows = nullptr;
    ASSERT_EQ(S_OK, HrQueryAllRows(table, reinterpret_cast<LPSPropTagArray>(&columns), nullptr, nullptr, 0, &rows));
    ASSERT_EQ(1u, rows->cRows);
    const SPropValue* report = rows->aRow[0].lpProps;
    EXPECT_STREQ("Undeliverable: Our survey", report[0].Value.lpszA);
    EXPECT_STREQ("REPORT.IPM.Note.NDR", report[1].Value.lpszA);
    EXPECT_STREQ("Mail Delivery System", report[2].Value.lpszA);
    std::string body = PROP_TYPE(report[3].ulPropTag) == PT_STRING8 ? report[3].Value.lpszA : "";
    EXPECT_NE(std::string::npos, body.find("gone@example.com")) << body;
    EXPECT_NE(std::string::npos, body.find("550 5.1.1")) << body;
    EXPECT_EQ(std::string::npos, body.find("ann@example.com")) << body;
    FreeProws(rows);
}

TEST_F(CSmtpAccountTest, AServerWhoseCertificateTheCaFileDoesNotSignIsRefused)
{
    StartServer();
    TestCertificate stranger(m_folder.Path() / "other-ca");
    m_account.caFile = stranger.Ca().string();
    UseAccount(m_account);
    SubmitMany(2);
    std::string error = FlushError();
    EXPECT_NE(std::string::npos, error.find("certificate")) << error;
    EXPECT_TRUE(m_server->Received().empty());
    EXPECT_EQ(2u, CountIn(PR_IPM_OUTBOX_ENTRYID));
}

TEST_F(CSmtpAccountTest, AKillDuringABatchLosesNothingAndDoublesAtMostTheMessageInFlight)
{
    StartServer();
    constexpr int kCopies = 300;
    SubmitMany(kCopies);
    const std::string start = m_dir + "/start";
    ChildProcess other({POLLENTA_TEST_DIR "/mapi_spooler_process", "flush", start});
    std::ofstream(start) << "go";
    ASSERT_TRUE(WaitFor([&] { return m_server->Received().size() >= 40; }));
    other.Stop(SIGKILL);
    ASSERT_EQ("", FlushError());

    std::map<std::string, int> arrivals = ArrivalsByReader();
    EXPECT_EQ(static_cast<std::size_t>(kCopies), arrivals.size());
    int doubled = 0;
    for (const auto& [reader, count] : arrivals) {
        EXPECT_LE(count, 2) << reader;
        doubled += count - 1;
    }
    EXPECT_LE(doubled, 1);
    EXPECT_EQ(0u, CountIn(PR_IPM_OUTBOX_ENTRYID));
}

TEST_F(CSmtpAccountTest, ALoopbackServerWithoutTlsIsUsedInTheClear)
{
    std::filesystem::create_directories(m_folder.Path() / "plain");
    ChildProcess plain({"/usr/bin/python3", POLLENTA_SOURCE_DIR "/testsupport/scripts/smtp_server.py", "--folder",
                        (m_folder.Path() / "plain").string(), "--plain"});
    std::string line = plain.ReadLine();
    ASSERT_EQ(0u, line.rfind("port ", 0)) << line;
    pollenta::mapi::MailAccount account;
    account.smtpUrl = "smtp://127.0.0.1:" + line.substr(5);
    UseAccount(account);
    SubmitMany(1);
    ASSERT_EQ("", FlushError());
    EXPECT_TRUE(std::filesystem::exists(m_folder.Path() / "plain" / "1.eml"));
}
