#include "MapiTestSupport.h"

#include "SendBatch.h"
#include "mapi/Mime.h"

#include <sqlite3.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <set>
#include <thread>

#include <sys/wait.h>
#include <unistd.h>

class CSpoolerTest : public CMapiTest {
protected:
    // A message submitted from the Outbox; its entry id.
    std::string Submit(const std::string& subject)
    {
        CComPtr<IMAPIFolder> outbox = SpecialFolder(m_store, PR_IPM_OUTBOX_ENTRYID);
        CComPtr<IMessage> message;
        EXPECT_EQ(S_OK, outbox->CreateMessage(nullptr, 0, &message));
        SetString(message, PR_SUBJECT_A, subject);
        SetString(message, PR_BODY_A, "Text of " + subject);
        AddRecipient(message, "Bob", "bob@example.com");
        EXPECT_EQ(S_OK, message->SubmitMessage(FORCE_SUBMIT));
        // Still readable after submitting.
        return EntryIdProp(message);
    }
};

TEST_F(CSpoolerTest, HeldMessagesWaitInTheOutboxUntilFlushQueues)
{
    ASSERT_EQ(S_OK, pollenta::mapi::SetSpoolerHold("Test", true));
    std::string eid = Submit("Held");
    ASSERT_FALSE(eid.empty());
    std::this_thread::sleep_for(std::chrono::milliseconds(1500));
    EXPECT_TRUE(EmlFiles(Outgoing()).empty());
    EXPECT_EQ(1u, RowCount(SpecialFolder(m_store, PR_IPM_OUTBOX_ENTRYID)));

    ASSERT_EQ(S_OK, Spooler()->FlushQueues(0, 0, nullptr, FLUSH_UPLOAD));
    auto files = EmlFiles(Outgoing());
    ASSERT_EQ(1u, files.size());
    std::ifstream in(files[0], std::ios::binary);
    std::string mime((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    EXPECT_NE(std::string::npos, mime.find("Subject: Held"));
    EXPECT_NE(std::string::npos, mime.find("bob@example.com"));
    EXPECT_EQ(0u, RowCount(SpecialFolder(m_store, PR_IPM_OUTBOX_ENTRYID)));
    EXPECT_EQ(1u, RowCount(SpecialFolder(m_store, PR_IPM_SENTMAIL_ENTRYID)));
    // Once sent, it can no longer be taken back.
    EXPECT_EQ(MAPI_E_NOT_IN_QUEUE, m_store->AbortSubmit(static_cast<ULONG>(eid.size()), Eid(eid), 0));
}

TEST_F(CSpoolerTest, AbortedSubmissionStaysInTheOutboxUnsent)
{
    ASSERT_EQ(S_OK, pollenta::mapi::SetSpoolerHold("Test", true));
    std::string eid = Submit("Cancelled");
    ASSERT_EQ(S_OK, m_store->AbortSubmit(static_cast<ULONG>(eid.size()), Eid(eid), 0));
    EXPECT_EQ(MAPI_E_NOT_IN_QUEUE, m_store->AbortSubmit(static_cast<ULONG>(eid.size()), Eid(eid), 0));
    ASSERT_EQ(S_OK, Spooler()->FlushQueues(0, 0, nullptr, FLUSH_UPLOAD));
    EXPECT_TRUE(EmlFiles(Outgoing()).empty());
    CComPtr<IMAPIFolder> outbox = SpecialFolder(m_store, PR_IPM_OUTBOX_ENTRYID);
    EXPECT_EQ(1u, RowCount(outbox));
    SBinary bin = {static_cast<ULONG>(eid.size()), reinterpret_cast<LPBYTE>(eid.data())};
    ENTRYLIST list = {1, &bin};
    EXPECT_EQ(S_OK, outbox->DeleteMessages(&list, 0, nullptr, 0));
    EXPECT_EQ(0u, RowCount(outbox));
}

TEST_F(CSpoolerTest, MessageDeletedWhileQueuedIsNotSentAndTheRestAre)
{
    ASSERT_EQ(S_OK, pollenta::mapi::SetSpoolerHold("Test", true));
    Submit("First");
    std::string eid = Submit("Deleted");
    Submit("Last");
    CComPtr<IMAPIFolder> outbox = SpecialFolder(m_store, PR_IPM_OUTBOX_ENTRYID);
    SBinary bin = {static_cast<ULONG>(eid.size()), reinterpret_cast<LPBYTE>(eid.data())};
    ENTRYLIST list = {1, &bin};
    ASSERT_EQ(S_OK, outbox->DeleteMessages(&list, 0, nullptr, 0));

    ASSERT_EQ(S_OK, Spooler()->FlushQueues(0, 0, nullptr, FLUSH_UPLOAD));
    auto files = EmlFiles(Outgoing());
    EXPECT_EQ(2u, files.size());
    for (const auto& file : files) {
        std::ifstream in(file, std::ios::binary);
        std::string mime((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        EXPECT_EQ(std::string::npos, mime.find("Subject: Deleted")) << file;
    }
    EXPECT_EQ(0u, RowCount(outbox));
    EXPECT_EQ(2u, RowCount(SpecialFolder(m_store, PR_IPM_SENTMAIL_ENTRYID)));
}

// The files of a batch are written while the store is free: a message taken
// back meanwhile leaves no file behind, and one sent can no longer be taken
// back, whichever comes first.
TEST_F(CSpoolerTest, MessagesTakenBackWhileTheirBatchIsWrittenLeaveNoFileAndTheOthersAreSentWhole)
{
    ASSERT_EQ(S_OK, pollenta::mapi::SetSpoolerHold("Test", true));
    const std::string padding(256 * 1024, 'x');
    std::vector<std::string> ids;
    for (int i = 0; i < 40; ++i) ids.push_back(Submit("Copy " + std::to_string(i) + " " + padding));
    std::thread flush([&] { EXPECT_EQ(S_OK, Spooler()->FlushQueues(0, 0, nullptr, FLUSH_UPLOAD)); });
    // Taken back once the first file is being written.
    auto writing = [&] {
        for (const auto& entry : std::filesystem::directory_iterator(Outgoing()))
            if (entry.path().extension() == ".tmp") return true;
        return false;
    };
    for (int i = 0; i < 20000 && (!std::filesystem::exists(Outgoing()) || !writing()); ++i)
        std::this_thread::sleep_for(std::chrono::microseconds(100));
    std::vector<bool> takenBack(ids.size());
    for (std::size_t i = ids.size(); i-- > 0;) {
        if (i % 2) continue;
        HRESULT hr = m_store->AbortSubmit(static_cast<ULONG>(ids[i].size()), Eid(ids[i]), 0);
        EXPECT_TRUE(hr == S_OK || hr == MAPI_E_NOT_IN_QUEUE) << std::hex << hr;
        takenBack[i] = hr == S_OK;
    }
    flush.join();

    std::set<std::string> subjects;
    for (const auto& entry : std::filesystem::directory_iterator(Outgoing())) {
        ASSERT_EQ(".eml", entry.path().extension()) << entry.path();
        std::ifstream in(entry.path(), std::ios::binary);
        std::string mime((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        std::size_t start = mime.find("Subject: Copy ");
        ASSERT_NE(std::string::npos, start) << entry.path();
        std::size_t digits = start + 14;
        subjects.insert("Copy " + mime.substr(digits, mime.find_first_not_of("0123456789", digits) - digits));
    }
    std::size_t sent = 0;
    for (std::size_t i = 0; i < ids.size(); ++i) {
        EXPECT_EQ(!takenBack[i], subjects.count("Copy " + std::to_string(i)) == 1) << i;
        sent += takenBack[i] ? 0 : 1;
    }
    EXPECT_EQ(sent, subjects.size());
    EXPECT_EQ(sent, RowCount(SpecialFolder(m_store, PR_IPM_SENTMAIL_ENTRYID)));
    EXPECT_EQ(ids.size() - sent, RowCount(SpecialFolder(m_store, PR_IPM_OUTBOX_ENTRYID)));
}

TEST_F(CSpoolerTest, FilesLeftHalfWrittenByAProcessThatEndedAreRemovedAndOthersKept)
{
    pid_t ended = fork();
    if (ended == 0) _exit(0);
    ASSERT_GT(ended, 0);
    ASSERT_EQ(ended, waitpid(ended, nullptr, 0));
    std::filesystem::create_directories(Outgoing());
    const std::string abandoned = Outgoing() + "/1-aa-1.eml." + std::to_string(ended) + ".tmp";
    const std::string beingWritten = Outgoing() + "/1-aa-2.eml." + std::to_string(getpid()) + ".tmp";
    const std::string sent = Outgoing() + "/1-aa-3.eml";
    const std::string notOurs = Outgoing() + "/notes.tmp";
    for (const std::string& file : {abandoned, beingWritten, sent, notOurs}) std::ofstream(file) << "x";

    pollenta::mapi::RemoveAbandonedWrites(Outgoing());
    EXPECT_FALSE(std::filesystem::exists(abandoned));
    EXPECT_TRUE(std::filesystem::exists(beingWritten));
    EXPECT_TRUE(std::filesystem::exists(sent));
    EXPECT_TRUE(std::filesystem::exists(notOurs));
}

TEST_F(CSpoolerTest, HeldAgainstFlushingMessagesStayQueuedToBeTakenBack)
{
    ASSERT_EQ(S_OK, pollenta::mapi::SetSpoolerHold("Test", true, true));
    std::string eid = Submit("Still queued");
    ASSERT_EQ(S_OK, Spooler()->FlushQueues(0, 0, nullptr, FLUSH_UPLOAD));
    EXPECT_TRUE(EmlFiles(Outgoing()).empty());
    ASSERT_EQ(S_OK, m_store->AbortSubmit(static_cast<ULONG>(eid.size()), Eid(eid), 0));
    EXPECT_EQ(1u, RowCount(SpecialFolder(m_store, PR_IPM_OUTBOX_ENTRYID)));

    // Lifting the flush hold lets the next flush send again.
    ASSERT_EQ(S_OK, pollenta::mapi::SetSpoolerHold("Test", true));
    Submit("Sent on flush");
    ASSERT_EQ(S_OK, Spooler()->FlushQueues(0, 0, nullptr, FLUSH_UPLOAD));
    EXPECT_EQ(1u, EmlFiles(Outgoing()).size());
}

TEST_F(CSpoolerTest, WithoutHoldTheSpoolerSendsOnItsOwn)
{
    Submit("Prompt");
    for (int i = 0; i < 100 && EmlFiles(Outgoing()).empty(); ++i) std::this_thread::sleep_for(std::chrono::milliseconds(50));
    EXPECT_EQ(1u, EmlFiles(Outgoing()).size());
    for (int i = 0; i < 100 && RowCount(SpecialFolder(m_store, PR_IPM_SENTMAIL_ENTRYID)) == 0; ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    EXPECT_EQ(1u, RowCount(SpecialFolder(m_store, PR_IPM_SENTMAIL_ENTRYID)));
}

TEST_F(CSpoolerTest, MessageWithoutRecipientsIsNotSubmitted)
{
    CComPtr<IMAPIFolder> outbox = SpecialFolder(m_store, PR_IPM_OUTBOX_ENTRYID);
    CComPtr<IMessage> message;
    ASSERT_EQ(S_OK, outbox->CreateMessage(nullptr, 0, &message));
    EXPECT_EQ(MAPI_E_NO_RECIPIENTS, message->SubmitMessage(0));
}

TEST_F(CSpoolerTest, SentFileHoldsTheBodyInTheCharsetItDeclares)
{
    ASSERT_EQ(S_OK, pollenta::mapi::SetSpoolerHold("Test", true));
    Submit("Grüße aus Köln");
    ASSERT_EQ(S_OK, Spooler()->FlushQueues(0, 0, nullptr, FLUSH_UPLOAD));
    auto files = EmlFiles(Outgoing());
    ASSERT_EQ(1u, files.size());
    std::ifstream in(files[0], std::ios::binary);
    const std::vector<BYTE> mime((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    const MimeMessageData sent = ParseMime(mime);
    EXPECT_TRUE(sent.warnings.empty()) << sent.warnings.front();
    EXPECT_EQ("utf-8", sent.charset);
    EXPECT_EQ("Text of Grüße aus Köln", sent.plainBody);
}

TEST_F(CSpoolerTest, MessagesThatCouldNotBeWrittenStayQueuedAndGoOnceLater)
{
    ASSERT_EQ(S_OK, pollenta::mapi::SetSpoolerHold("Test", true));
    for (int i = 0; i < 3; ++i) Submit("Copy " + std::to_string(i));
    // A file where the outgoing folder should be: nothing can be written.
    std::ofstream(Outgoing()) << "in the way";
    EXPECT_TRUE(FAILED(Spooler()->FlushQueues(0, 0, nullptr, FLUSH_UPLOAD)));
    EXPECT_EQ(3u, RowCount(SpecialFolder(m_store, PR_IPM_OUTBOX_ENTRYID)));

    std::filesystem::remove(Outgoing());
    ASSERT_EQ(S_OK, Spooler()->FlushQueues(0, 0, nullptr, FLUSH_UPLOAD));
    EXPECT_EQ(3u, EmlFiles(Outgoing()).size());
    EXPECT_EQ(0u, RowCount(SpecialFolder(m_store, PR_IPM_OUTBOX_ENTRYID)));
    EXPECT_EQ(3u, RowCount(SpecialFolder(m_store, PR_IPM_SENTMAIL_ENTRYID)));
}

// A submission the store cannot queue leaves the message as it was saved:
// never marked as submitted while the spooler would not know of it.
TEST_F(CSpoolerTest, ASubmissionThatCannotBeQueuedLeavesNoSubmittedMessageBehind)
{
    ASSERT_EQ(S_OK, pollenta::mapi::SetSpoolerHold("Test", true));
    CComPtr<IMAPIFolder> outbox = SpecialFolder(m_store, PR_IPM_OUTBOX_ENTRYID);
    CComPtr<IMessage> message;
    ASSERT_EQ(S_OK, outbox->CreateMessage(nullptr, 0, &message));
    SetString(message, PR_SUBJECT_A, "Refused");
    AddRecipient(message, "Bob", "bob@example.com");
    ASSERT_EQ(S_OK, message->SaveChanges(KEEP_OPEN_READWRITE));
    const std::string eid = EntryIdProp(message);
    sqlite3* db = nullptr;
    ASSERT_EQ(SQLITE_OK, sqlite3_open((m_dir + "/main.store").c_str(), &db));
    const char* refuse = "CREATE TRIGGER refuse BEFORE INSERT ON queue BEGIN SELECT RAISE(ABORT, 'queue refused'); END";
    EXPECT_EQ(SQLITE_OK, sqlite3_exec(db, refuse, nullptr, nullptr, nullptr)) << sqlite3_errmsg(db);
    sqlite3_close(db);

    EXPECT_TRUE(FAILED(message->SubmitMessage(FORCE_SUBMIT)));

    CComPtr<IMessage> stored;
    ULONG type = 0;
    ASSERT_EQ(S_OK, m_store->OpenEntry(static_cast<ULONG>(eid.size()), Eid(eid), &IID_IMessage, 0, &type,
                                       reinterpret_cast<LPUNKNOWN*>(&stored)));
    LPSPropValue flags = nullptr;
    ASSERT_EQ(S_OK, HrGetOneProp(stored, PR_MESSAGE_FLAGS, &flags));
    EXPECT_EQ(0u, flags->Value.l & MSGFLAG_SUBMIT) << std::hex << flags->Value.l;
    MAPIFreeBuffer(flags);
}
