// The inbox processor with its threads, over a real profile, store, project
// library and SQLite answer table: answers delivered as clients wrote them.

#include "AnswerTest.h"

#include "processor/CWEInboxProcessor.h"

#include <atomic>
#include <chrono>
#include <thread>

namespace {

using Clock = std::chrono::steady_clock;
using AnswerEml::Style;

class InboxProcessorTest : public AnswerTest {
protected:
    HRESULT Start() { return processor.Start(world.Snapshot(), world.Log(), world.Session()); }

    CWEInboxProcessor processor;
};

}  // namespace

TEST_F(InboxProcessorTest, AnswersFromBeforeTheStartAndWhileRunningEachBecomeOneRecord)
{
    world.Deliver(Answer("Before base64", {{"Seq", "1"}, {"Name", "J\u00fcrgen M"}, {"Notes", "1+1=2 & 100%"}}));
    world.Deliver(Answer("Before 7bit", {{"Seq", "2"}, {"Name", "Zo\u00eb"}}, Style::SevenBit));
    ASSERT_EQ(S_OK, Start());
    world.Deliver(Answer("While unpadded", {{"Seq", "3"}, {"Name", "a"}}, Style::IeBase64Unpadded));
    world.Deliver(Answer("While text", {{"Seq", "4"}, {"Name", "\u00c5sa"}}, Style::TextQuotedPrintable));
    ASSERT_TRUE(world.WaitForRecords(4));
    processor.Stop();

    EXPECT_EQ("J\u00fcrgen M|1+1=2 & 100%", world.Scalar("SELECT Name || '|' || Notes FROM Answers WHERE Seq = 1"));
    EXPECT_EQ("Zo\u00eb", world.Scalar("SELECT Name FROM Answers WHERE Seq = 2"));
    EXPECT_EQ("\u00c5sa", world.Scalar("SELECT Name FROM Answers WHERE Seq = 4"));
    EXPECT_EQ(4, world.Count("SenderEmail = 'ann@example.com'"));
    for (const auto& message : Inbox()) {
        SCOPED_TRACE(message.subject);
        EXPECT_TRUE(message.processed);
        EXPECT_EQ(" [stored]", message.subject.substr(message.subject.size() - 9));
    }
    EXPECT_EQ(4, LogCount("Survey data sucessfully added to the survey result database (Sender: Ann Example "
                          "<ann@example.com>; Project # " +
                          std::to_string(world.ProjectId()) + ")"));

    // A second run finds nothing left to do but the new answer.
    world.Deliver(Answer("Next run", {{"Seq", "5"}}));
    ASSERT_EQ(S_OK, Start());
    ASSERT_TRUE(world.WaitForRecords(5));
    processor.Stop();
    EXPECT_EQ(5, world.Count());
    EXPECT_EQ(5, world.Count("Seq BETWEEN 1 AND 5"));
}

TEST_F(InboxProcessorTest, BadAnswersAreLoggedAndLaterAnswersStillStored)
{
    const std::string longValue(100000, 'v');
    const std::string tenMegabytes(10 * 1024 * 1024, 'm');
    world.Deliver(AnswerEml::Message("Unknown project", AnswerEml::FormData({{"kqProjectID", "999"}, {"Seq", "1"}})));
    world.Deliver(AnswerEml::Message("Not a number", AnswerEml::FormData({{"kqProjectID", "abc"}, {"Seq", "2"}})));
    world.Deliver(AnswerEml::Message(
        "Broken escapes 2", "kqProjectID=" + std::to_string(world.ProjectId()) + "&Seq=3&Name=%zz%4&Notes=%", Style::SevenBit));
    world.Deliver(Answer("Long value", {{"Seq", "4"}, {"Notes", longValue}}));
    world.Deliver(Answer("Ten megabytes", {{"Seq", "5"}, {"Notes", tenMegabytes}}));
    world.Deliver(AnswerEml::BodyOnly("Body only", AnswerEml::FormData({{"kqProjectID", "1"}, {"Seq", "6"}})));
    world.Deliver(Answer("Not a column", {{"Seq", "7"}, {"Colour", "line1\r\nline2\tx"}}));
    // The key after the first 64 KB: a long text area comes first.
    world.Deliver(AnswerEml::Message(
        "Key late", AnswerEml::FormData({{"Notes", std::string(70000, 'n')}, {"Seq", "8"},
                                         {"kqProjectID", std::to_string(world.ProjectId())}})));
    world.Deliver(Answer("Good after all", {{"Seq", "9"}}));
    ASSERT_EQ(S_OK, Start());
    ASSERT_TRUE(world.WaitForRecords(6, 120));
    processor.Stop();

    EXPECT_EQ(0, world.Count("Seq IN (1, 2, 6)"));
    EXPECT_EQ("zz4|%", world.Scalar("SELECT Name || '|' || Notes FROM Answers WHERE Seq = 3"));
    EXPECT_EQ("100000", world.Scalar("SELECT LENGTH(Notes) FROM Answers WHERE Seq = 4"));
    EXPECT_EQ(std::to_string(tenMegabytes.size()), world.Scalar("SELECT LENGTH(Notes) FROM Answers WHERE Seq = 5"));
    EXPECT_EQ("1", world.Scalar("SELECT COUNT(*) FROM Answers WHERE Seq = 7"));
    EXPECT_EQ("70000", world.Scalar("SELECT LENGTH(Notes) FROM Answers WHERE Seq = 8"));
    EXPECT_EQ(1, world.Count("Seq = 9"));

    const struct {
        const char* subject;
        const char* ending;
    } marks[] = {
        {"Unknown project", " [FAIL]"}, {"Not a number", " [FAIL]"},   {"Long value", " [stored]"},
        {"Ten megabytes", " [stored]"}, {"Body only", ""},             {"Not a column", " [refused]"},
        {"Key late", " [stored]"},      {"Good after all", " [stored]"},
    };
    for (const auto& mark : marks) {
        SCOPED_TRACE(mark.subject);
        const auto* message = Find(mark.subject);
        ASSERT_NE(nullptr, message);
        EXPECT_TRUE(message->processed);
        EXPECT_EQ(std::string(mark.subject) + mark.ending, message->subject);
    }
    EXPECT_EQ(1, LogCount("Fatal error while adding data to the survey result database (Sender: Ann Example "
                          "<ann@example.com>; Project # 999): "));
    EXPECT_EQ(1, LogCount("Fatal error while processing attachment to the message with survey results (Sender Ann "
                          "Example <ann@example.com>)"));
    // The respondent's line break and tab stay out of the log's line format.
    EXPECT_EQ(1, LogCount("Field: Colour; Value: line1  line2 x; Error: "));
}

TEST_F(InboxProcessorTest, AMessageNeverSubmittedIsLeftUnmarkedAndOfferedAgain)
{
    CComPtr<IMAPIFolder> inbox = world.OpenFolder(world.InboxId());
    CComPtr<IMessage> draft;
    ASSERT_EQ(S_OK, inbox->CreateMessage(&IID_IMessage, 0, &draft));
    SPropValue props[2] = {};
    props[0].ulPropTag = PR_SUBJECT_A;
    props[0].Value.lpszA = const_cast<char*>("Never sent");
    props[1].ulPropTag = PR_MESSAGE_CLASS_A;
    props[1].Value.lpszA = const_cast<char*>("IPM.Note");
    ASSERT_EQ(S_OK, draft->SetProps(2, props, nullptr));
    ASSERT_EQ(S_OK, draft->SaveChanges(0));
    world.Deliver(Answer("Sent", {{"Seq", "1"}}));

    ASSERT_EQ(S_OK, Start());
    ASSERT_TRUE(world.WaitForRecords(1));
    processor.Stop();
    const auto* never = Find("Never sent");
    ASSERT_NE(nullptr, never);
    EXPECT_FALSE(never->processed);
    EXPECT_EQ("Never sent", never->subject);
}

TEST_F(InboxProcessorTest, ASecondStartDoesNotDoubleNotificationsAndStopEndsEveryThread)
{
    ASSERT_EQ(0, AnswerThreads());
    ASSERT_EQ(S_OK, Start());
    ASSERT_EQ(S_OK, Start());
    ASSERT_EQ(S_OK, processor.Pause());
    world.Deliver(Answer("Once", {{"Seq", "1"}}));
    HrDispatchNotifications(0);
    // New mail and object created tell of one message: it waits once.
    EXPECT_EQ(1u, processor.PendingNotifications());
    ASSERT_EQ(S_OK, processor.Resume(world.Snapshot()));
    ASSERT_TRUE(world.WaitForRecords(1));
    HrDispatchNotifications(0);
    processor.Stop();
    EXPECT_EQ(1, world.Count());
    EXPECT_EQ(1, LogCount("Survey data sucessfully added"));
    EXPECT_EQ(0, AnswerThreadsLeft());

    // Stopped: a new answer reaches no sink.
    world.Deliver(Answer("After stop", {{"Seq", "2"}}));
    HrDispatchNotifications(0);
    EXPECT_FALSE(Find("After stop")->processed);
    EXPECT_EQ(1, world.Count());
}

TEST_F(InboxProcessorTest, AFailedStartLeavesNoThreadRunning)
{
    const std::string command =
        std::string("'") + POLLENTA_BIN_DIR + "/regsvr' /u /s '" + POLLENTA_BIN_DIR + "/Gastrel.so'";
    ASSERT_EQ(0, std::system(command.c_str()));
    EXPECT_EQ(E_FAIL, Start());
    EXPECT_EQ(0, AnswerThreadsLeft());
    EXPECT_EQ(1, LogCount("Fatal error while creating object \"Gastrel.Hubberly\""));
    EXPECT_EQ(S_FALSE, processor.Pause());
    processor.Stop();
}

TEST_F(InboxProcessorTest, APauseIsSeenBetweenTwoMessagesOfABacklog)
{
    // Long enough that the processor is still at it when the pause comes.
    const int total = 400;
    for (int i = 1; i <= total; ++i)
        world.Deliver(Answer("Backlog " + std::to_string(i), {{"Seq", std::to_string(i)}}));
    ASSERT_EQ(S_OK, Start());
    ASSERT_TRUE(world.WaitForRecords(2));
    ASSERT_EQ(S_OK, processor.Pause());
    const long long paused = world.Count();
    EXPECT_LT(paused, total);
    std::this_thread::sleep_for(std::chrono::milliseconds(300));
    EXPECT_EQ(paused, world.Count());
    ASSERT_EQ(S_OK, processor.Resume(world.Snapshot()));
    ASSERT_TRUE(world.WaitForRecords(total));
    processor.Stop();
    EXPECT_EQ(total, world.Count());
}

TEST_F(InboxProcessorTest, APauseThatTimesOutLeavesTheProcessorGoingOnWithTheBacklog)
{
    const int total = 200;
    for (int i = 1; i <= total; ++i)
        world.Deliver(Answer("Busy " + std::to_string(i), {{"Seq", std::to_string(i)}}));
    ASSERT_EQ(S_OK, Start());
    ASSERT_TRUE(world.WaitForRecords(1));
    // Busy with an answer, no wait is short enough for it to rest. Between
    // two answers it may be resting already and take the pause at once; then
    // it is let go and asked again.
    bool timedOut = false;
    while (!timedOut && world.Count() < total) {
        const HRESULT hr = processor.Pause(0);
        timedOut = hr == HRESULT_FROM_WIN32(WAIT_TIMEOUT);
        if (!timedOut) {
            ASSERT_EQ(S_OK, hr);
            ASSERT_EQ(S_OK, processor.Resume(world.Snapshot()));
        }
    }
    EXPECT_TRUE(timedOut) << "the processor rested between every two answers";
    EXPECT_TRUE(world.WaitForRecords(total)) << "the processor stayed paused with nobody to resume it";
    processor.Stop();
    EXPECT_EQ(total, world.Count());
}

TEST_F(InboxProcessorTest, AStopDuringTheScanEndsItBetweenFolders)
{
    // Many watched folders: the scan waits between them.
    auto settings = std::make_shared<CWEWatchSnapshot>(*world.Snapshot());
    for (int i = 0; i < 40; ++i)
        settings->m_arrWatchedFolders.push_back(settings->m_arrWatchedFolders.front());
    ASSERT_EQ(S_OK, processor.Start(settings, world.Log(), world.Session()));
    const auto before = Clock::now();
    processor.Stop();
    // Forty folders with their waits would take twenty seconds.
    EXPECT_LT(Clock::now() - before, std::chrono::seconds(5));
    EXPECT_EQ(0, AnswerThreadsLeft());
}

namespace {

CZrEntryID EntryId(const std::string& bytes)
{
    CZrEntryID id;
    id.Set(static_cast<ULONG>(bytes.size()), reinterpret_cast<const BYTE*>(bytes.data()));
    return id;
}

}  // namespace

TEST_F(InboxProcessorTest, AnAnswerNotifiedDuringTheScanIsStoredWhenTheScanEndsWithoutFurtherMail)
{
    // The Inbox first, then empty folders with their waits: the scan has
    // passed the Inbox when the answer comes, and goes on for a while.
    auto settings = std::make_shared<CWEWatchSnapshot>(*world.Snapshot());
    CWEWatchedFolder sent = settings->m_arrWatchedFolders.front();
    sent.m_FolderId = EntryId(world.SpecialFolderId(PR_IPM_SENTMAIL_ENTRYID));
    settings->m_nIgnoreServFolders = 0;
    for (int i = 0; i < 4; ++i)
        settings->m_arrWatchedFolders.push_back(sent);
    ASSERT_EQ(S_OK, processor.Start(settings, world.Log(), world.Session()));
    std::this_thread::sleep_for(std::chrono::seconds(1));
    world.Deliver(Answer("During the scan", {{"Seq", "1"}}));
    EXPECT_TRUE(world.WaitForRecords(1, 30)) << "the answer waited for mail that never came";
    processor.Stop();
    EXPECT_EQ(1, world.Count());
}

TEST_F(InboxProcessorTest, AMessageMovedIntoAWatchedFolderIsTaken)
{
    CComPtr<IMAPIFolder> deleted = world.OpenFolder(world.SpecialFolderId(PR_IPM_WASTEBASKET_ENTRYID));
    const std::string id = world.Deliver(Answer("Moved in", {{"Seq", "1"}}), deleted);
    ASSERT_EQ(S_OK, Start());
    HrDispatchNotifications(0);
    EXPECT_EQ(0, world.Count());

    SBinary entry{static_cast<ULONG>(id.size()), reinterpret_cast<LPBYTE>(const_cast<char*>(id.data()))};
    ENTRYLIST list{1, &entry};
    CComPtr<IMAPIFolder> inbox = world.OpenFolder(world.InboxId());
    ASSERT_EQ(S_OK, deleted->CopyMessages(&list, nullptr, inbox.p, 0, nullptr, MESSAGE_MOVE));
    ASSERT_TRUE(world.WaitForRecords(1));
    processor.Stop();
    EXPECT_EQ("Moved in [stored]", Inbox().at(0).subject);
}

TEST_F(InboxProcessorTest, AWatchedServiceFolderIsSkippedOnlyWhenTheSettingsSaySo)
{
    const std::string sentId = world.SpecialFolderId(PR_IPM_SENTMAIL_ENTRYID);
    for (LONG ignore : {1, 0}) {
        SCOPED_TRACE(ignore);
        auto settings = std::make_shared<CWEWatchSnapshot>(*world.Snapshot());
        settings->m_nIgnoreServFolders = ignore;
        CWEWatchedFolder sent;
        sent.m_StoreId = EntryId(world.StoreId());
        sent.m_FolderId = EntryId(sentId);
        sent.m_dwFlags = CWEWatchedFolder::kWatchFolder;
        settings->m_arrWatchedFolders.push_back(sent);
        ASSERT_EQ(S_OK, processor.Start(settings, world.Log(), world.Session()));
        world.Deliver(Answer("In Sent Items", {{"Seq", std::to_string(ignore)}}), world.OpenFolder(sentId));
        world.Deliver(Answer("In the Inbox", {{"Seq", "10"}}));
        // Watched at last, Sent Items also gives up the answer that the
        // first pass left there, through the scan.
        ASSERT_TRUE(world.WaitForRecords(ignore ? 1 : 4));
        processor.Stop();
        EXPECT_EQ(ignore ? 0 : 1, world.Count("Seq = " + std::to_string(ignore)));
    }
    EXPECT_EQ(1, world.Count("Seq = 1"));
}

TEST_F(InboxProcessorTest, SettingsPublishedWhileNotificationsArriveAreReadWhole)
{
    ASSERT_EQ(S_OK, Start());
    std::atomic<bool> done{false};
    std::thread publisher([&] {
        while (!done)
            processor.PublishSettings(world.Snapshot());
    });
    const int total = 20;
    for (int i = 1; i <= total; ++i)
        world.Deliver(Answer("Busy " + std::to_string(i), {{"Seq", std::to_string(i)}}));
    const bool stored = world.WaitForRecords(total);
    done = true;
    publisher.join();
    processor.Stop();
    EXPECT_TRUE(stored);
    EXPECT_EQ(total, world.Count());
}
