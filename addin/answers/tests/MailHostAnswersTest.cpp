// Answers end to end, across processes and headless: everything registered
// by the registration script, the add-in run by the mail host on a profile
// whose Inbox it watches, answers handed in by `mailhost deliver` while the
// host runs and while it is stopped, and a host killed in the middle of a
// batch.

#include "AnswerTest.h"
#include "ChildProgram.h"

#include <chrono>
#include <csignal>
#include <thread>

namespace {

const std::string kBin = POLLENTA_BIN_DIR;

class MailHostAnswersTest : public AnswerTest {
protected:
    void SetUp() override
    {
        // The host keeps its run lock in the profile's folder below here.
        setenv("XDG_DATA_HOME", (folder.Path() / "data").c_str(), 1);
        ASSERT_NO_THROW(world.Create(AnswerWorld::Registration::Everything));
        // Mail handed to a running host through the drop folder would
        // otherwise be taken by this process's session as well.
        world.Close();
    }
    void TearDown() override { unsetenv("XDG_DATA_HOME"); }

    std::unique_ptr<ChildProgram> StartHost()
    {
        const std::filesystem::path output = folder.Path() / ("host" + std::to_string(++m_runs));
        std::filesystem::create_directories(output);
        auto host = std::make_unique<ChildProgram>(
            std::vector<std::string>{kBin + "/mailhost", "--profile", AnswerWorld::kProfile, "--headless", "run"},
            output);
        EXPECT_TRUE(host->WaitForOutput("running")) << host->Out() << host->Err();
        EXPECT_NE(std::string::npos, host->Out().find("add-in Kestrin.WEConnect connected")) << host->Err();
        return host;
    }

    // `mailhost deliver` of the answers, written as .eml files, in one call,
    // into `into` ("" for the Inbox); ended.
    std::unique_ptr<ChildProgram> DeliverInto(const std::string& into, const std::vector<std::string>& answers)
    {
        std::vector<std::string> args = {kBin + "/mailhost", "--profile", AnswerWorld::kProfile, "deliver"};
        for (const std::string& answer : answers)
            args.push_back(folder.Write("mail/" + std::to_string(++m_files) + ".eml", answer).string());
        if (!into.empty())
            args.insert(args.end(), {"--folder", into});
        const std::filesystem::path output = folder.Path() / ("deliver" + std::to_string(m_files));
        std::filesystem::create_directories(output);
        auto program = std::make_unique<ChildProgram>(args, output);
        m_delivered = program->Started() ? program->Stop(0) : -1;
        return program;
    }
    // Its exit status.
    int Deliver(const std::vector<std::string>& answers)
    {
        DeliverInto("", answers);
        return m_delivered;
    }

    std::string Stored(const std::string& seq) const
    {
        return world.Scalar("SELECT Name || '|' || Notes FROM Answers WHERE Seq = " + seq);
    }

    // Polls the log (the host's own file) until `count` lines hold `text`.
    bool WaitForLog(const std::string& text, int count) const
    {
        for (int i = 0; i < 600 && LogCount(text) < count; ++i)
            std::this_thread::sleep_for(std::chrono::milliseconds(50));
        return LogCount(text) >= count;
    }

    std::string Success() const
    {
        return "Survey data sucessfully added to the survey result database (Sender: Ann Example "
               "<ann@example.com>; Project # " +
               std::to_string(world.ProjectId()) + ")";
    }
    static constexpr const char* kUnknownProject =
        "Fatal error while adding data to the survey result database (Sender: Ann Example <ann@example.com>; "
        "Project # 999): ";

    int m_runs = 0;
    int m_files = 0;
    int m_delivered = -1;  // the exit status of the last `mailhost deliver`
};

}  // namespace

TEST_F(MailHostAnswersTest, AnswersDeliveredWhileTheHostRunsOrIsStoppedEachBecomeOneMarkedRecord)
{
    ASSERT_EQ(0, Deliver({Answer("Before start", {{"Seq", "1"}, {"Name", "J\u00fcrgen M"}, {"Notes", "1+1=2 & 100%"}})}));
    auto host = StartHost();
    // Stored once the start-up scan has read the Inbox: what comes now
    // reaches the host only through its notifications.
    ASSERT_TRUE(world.WaitForRecords(1)) << world.Count();
    ASSERT_EQ(0, Deliver({Answer("While running", {{"Seq", "2"}, {"Name", "\u00c5sa"}, {"Notes", "a/b?c=d"}},
                                 AnswerEml::Style::SevenBit),
                          AnswerEml::Message("Unknown project", AnswerEml::FormData({{"kqProjectID", "999"}, {"Seq", "3"}})),
                          Answer("Also running", {{"Seq", "4"}, {"Name", "Zo\u00eb"}},
                                 AnswerEml::Style::IeBase64Unpadded)}));
    ASSERT_TRUE(world.WaitForRecords(3)) << world.Count();
    ASSERT_TRUE(WaitForLog(kUnknownProject, 1)) << world.LogText();
    ASSERT_TRUE(WaitForLog(Success(), 3)) << world.LogText();
    EXPECT_EQ(0, host->Stop(SIGTERM)) << host->Err();

    // Found by the scan at the next start; what is done is not done again.
    ASSERT_EQ(0, Deliver({Answer("While stopped", {{"Seq", "5"}, {"Name", "Ren\u00e9e"}, {"Notes", "50% + more"}},
                                 AnswerEml::Style::TextQuotedPrintable)}));
    host = StartHost();
    ASSERT_TRUE(world.WaitForRecords(4)) << world.Count();
    ASSERT_TRUE(WaitForLog(Success(), 4)) << world.LogText();
    EXPECT_EQ(0, host->Stop(SIGTERM)) << host->Err();
    host = StartHost();
    EXPECT_EQ(0, host->Stop(SIGTERM)) << host->Err();

    EXPECT_EQ("J\u00fcrgen M|1+1=2 & 100%", Stored("1"));
    EXPECT_EQ("\u00c5sa|a/b?c=d", Stored("2"));
    EXPECT_EQ("Zo\u00eb", world.Scalar("SELECT Name FROM Answers WHERE Seq = 4"));
    EXPECT_EQ("Ren\u00e9e|50% + more", Stored("5"));
    EXPECT_EQ(4, world.Count());
    EXPECT_EQ(4, world.Count("SenderEmail = 'ann@example.com'"));
    EXPECT_EQ(4, LogCount(Success()));
    EXPECT_EQ(1, LogCount(kUnknownProject));

    world.Open();
    const std::string expected[] = {"Before start [stored]", "While running [stored]", "Unknown project [FAIL]",
                                    "Also running [stored]", "While stopped [stored]"};
    const auto messages = Inbox();
    ASSERT_EQ(std::size(expected), messages.size());
    for (std::size_t i = 0; i < messages.size(); ++i) {
        SCOPED_TRACE(expected[i]);
        EXPECT_EQ(expected[i], messages[i].subject);
        EXPECT_TRUE(messages[i].processed);
    }
}

TEST_F(MailHostAnswersTest, AKilledHostLosesAtMostTheAnswerInFlightAndStoresNoneTwice)
{
    const int total = 200;
    std::vector<std::string> answers;
    for (int i = 1; i <= total; ++i)
        answers.push_back(Answer("Answer " + std::to_string(i), {{"Seq", std::to_string(i)}}));
    ASSERT_EQ(0, Deliver(answers));

    auto host = StartHost();
    ASSERT_TRUE(world.WaitForRecords(total / 4));
    EXPECT_EQ(128 + SIGKILL, host->Stop(SIGKILL));
    EXPECT_LT(world.Count(), total);
    host = StartHost();
    ASSERT_TRUE(world.WaitForRecords(total - 1));
    world.WaitForRecords(total, 3);
    EXPECT_EQ(0, host->Stop(SIGTERM)) << host->Err();

    const long long stored = world.Count();
    EXPECT_LE(total - 1, stored);
    EXPECT_EQ(std::to_string(stored), world.Scalar("SELECT COUNT(DISTINCT Seq) FROM Answers"));
    world.Open();
    const auto messages = Inbox();
    ASSERT_EQ(static_cast<std::size_t>(total), messages.size());
    for (const auto& message : messages) {
        SCOPED_TRACE(message.subject);
        EXPECT_TRUE(message.processed);
    }
}

TEST_F(MailHostAnswersTest, AnAnswerDeliveredIntoAWatchedSubfolderOfARunningHostIsStoredAtOnce)
{
    world.Open();
    CComPtr<IMAPIFolder> inbox = world.OpenFolder(world.InboxId());
    CComPtr<IMAPIFolder> answers;
    ASSERT_EQ(S_OK, inbox->CreateFolder(FOLDER_GENERIC, const_cast<char*>("Answers"), nullptr, nullptr, 0, &answers));
    SPropValue* id = nullptr;
    ASSERT_EQ(S_OK, HrGetOneProp(answers, PR_ENTRYID, &id));
    const std::string answersId(reinterpret_cast<const char*>(id->Value.bin.lpb), id->Value.bin.cb);
    MAPIFreeBuffer(id);
    // The Inbox and the folders below it watched, as the options page saves it.
    CWESettings settings;
    settings.SetProfileName(AnswerWorld::kProfile);
    CWEWatchedFolder watched;
    watched.m_StoreId.Set(static_cast<ULONG>(world.StoreId().size()), reinterpret_cast<const BYTE*>(world.StoreId().data()));
    watched.m_FolderId.Set(static_cast<ULONG>(world.InboxId().size()), reinterpret_cast<const BYTE*>(world.InboxId().data()));
    watched.m_dwFlags = CWEWatchedFolder::kWatchFolder | CWEWatchedFolder::kWatchSubfolders;
    settings.m_arrFolders = {watched};
    ASSERT_EQ(S_OK, settings.Save());
    answers.Release();
    inbox.Release();
    world.Close();

    auto host = StartHost();
    auto delivery = DeliverInto("\\\\Mail\\Inbox\\answers", {Answer("Into a subfolder", {{"Seq", "1"}, {"Name", "Ann"}})});
    ASSERT_EQ(0, m_delivered) << delivery->Err();
    // Heard of through the host's own notifications: no scan comes again.
    ASSERT_TRUE(world.WaitForRecords(1)) << world.LogText();

    // A folder that is not there is reported, and nothing waits behind.
    delivery = DeliverInto("\\\\Mail\\Inbox\\Missing", {Answer("Nowhere", {{"Seq", "2"}})});
    EXPECT_EQ(1, m_delivered);
    EXPECT_NE(std::string::npos, delivery->Err().find("has no folder \\\\Mail\\Inbox\\Missing")) << delivery->Err();
    EXPECT_EQ(0, host->Stop(SIGTERM)) << host->Err();
    EXPECT_TRUE(std::filesystem::is_empty(world.DropFolder()));

    world.Open();
    const auto stored = world.Messages(answersId);
    ASSERT_EQ(1u, stored.size());
    EXPECT_EQ("Into a subfolder [stored]", stored[0].subject);
    EXPECT_TRUE(stored[0].processed);
    EXPECT_TRUE(Inbox().empty());
    EXPECT_EQ(1, world.Count());
}
