// A backlog in the drop folder is delivered a few messages to a transaction.
// Whatever the store does with a batch, every file ends as exactly one
// message in its folder or waits in the drop folder for the next round.

#include "MapiTestSupport.h"
#include "StoreFile.h"

#include <sys/inotify.h>
#include <unistd.h>

#include <chrono>
#include <fstream>
#include <mutex>
#include <set>
#include <thread>

namespace {

std::string Mail(const std::string& subject, const std::string& attachment = {})
{
    std::string text = "From: Ann <ann@example.com>\r\nTo: bob@example.com\r\nSubject: " + subject +
                       "\r\nMIME-Version: 1.0\r\n";
    if (attachment.empty()) return text + "Content-Type: text/plain\r\n\r\nHello\r\n";
    return text +
           "Content-Type: multipart/mixed; boundary=\"b\"\r\n\r\n"
           "--b\r\nContent-Type: text/plain\r\n\r\nHello\r\n"
           "--b\r\nContent-Type: application/octet-stream; name=\"big.bin\"\r\n\r\n" +
           attachment + "\r\n--b--\r\n";
}

struct NewMailCounter {
    std::mutex mutex;
    std::set<std::string> entryIds;
    int notices = 0;

    static ULONG OnNotify(LPVOID context, ULONG count, LPNOTIFICATION notifications)
    {
        auto* self = static_cast<NewMailCounter*>(context);
        std::lock_guard lock(self->mutex);
        for (ULONG i = 0; i < count; ++i) {
            const NEWMAIL_NOTIFICATION& mail = notifications[i].info.newmail;
            ++self->notices;
            self->entryIds.insert(std::string(reinterpret_cast<const char*>(mail.lpEntryID), mail.cbEntryID));
        }
        return 0;
    }
};

class DropBatchTest : public CMapiTest {
protected:
    void SetUp() override
    {
        CMapiTest::SetUp();
        std::filesystem::create_directories(Drop());
        std::filesystem::create_directories(Staging());
    }

    std::string Staging() const { return Drop() + "-staging"; }

    // Written whole beside the drop folder first; `folder` is the folder
    // named beside the mail.
    void Stage(const std::string& name, const std::string& mail, const std::string& folder = {})
    {
        if (!folder.empty()) std::ofstream(Staging() + "/" + name + ".folder", std::ios::binary) << folder << "\n";
        std::ofstream(Staging() + "/" + name, std::ios::binary) << mail;
    }

    // The folder files first, so that no mail is taken before its folder is
    // known.
    void DropStaged()
    {
        std::vector<std::filesystem::path> mails;
        for (const auto& entry : std::filesystem::directory_iterator(Staging())) {
            if (entry.path().extension() == ".eml")
                mails.push_back(entry.path());
            else
                std::filesystem::rename(entry.path(), Drop() + "/" + entry.path().filename().string());
        }
        for (const auto& mail : mails) std::filesystem::rename(mail, Drop() + "/" + mail.filename().string());
    }

    static std::set<std::string> Subjects(IMAPIFolder* folder)
    {
        CComPtr<IMAPITable> table;
        EXPECT_EQ(S_OK, folder->GetContentsTable(0, &table));
        SizedSPropTagArray(1, columns) = {1, {PR_SUBJECT_A}};
        LPSRowSet rows = nullptr;
        EXPECT_EQ(S_OK, HrQueryAllRows(table, reinterpret_cast<LPSPropTagArray>(&columns), nullptr, nullptr, 0, &rows));
        std::set<std::string> subjects;
        for (ULONG i = 0; rows && i < rows->cRows; ++i) {
            const auto [it, added] = subjects.insert(rows->aRow[i].lpProps[0].Value.lpszA);
            EXPECT_TRUE(added) << *it << " is there twice";
        }
        FreeProws(rows);
        return subjects;
    }

    // Waits until the drop folder holds just `names`, under their own names.
    bool DropFolderHolds(const std::set<std::string>& names)
    {
        std::set<std::string> left;
        for (int i = 0; i < 500; ++i) {
            left.clear();
            for (const auto& entry : std::filesystem::directory_iterator(Drop())) left.insert(entry.path().filename());
            if (left == names) return true;
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        }
        return false;
    }

    std::shared_ptr<pollenta::mapi::CStoreFile> StoreFile() const
    {
        return pollenta::mapi::CStoreFile::Open(m_dir + "/main.store");
    }

    // No page can be added beyond `spare` more: a write that needs more
    // fails as on a full disk.
    void LimitStore(int spare)
    {
        auto store = StoreFile();
        std::lock_guard lock(store->Mutex());
        pollenta::mapi::CSqlStatement count(store->Db(), "PRAGMA page_count");
        count.Step();
        store->Db().Exec("PRAGMA max_page_count=" + std::to_string(count.Int(0) + spare));
    }

    void UnlimitStore()
    {
        auto store = StoreFile();
        std::lock_guard lock(store->Mutex());
        store->Db().Exec("PRAGMA max_page_count=1073741823");
    }

    // Every write fails while the store is read only.
    void MakeStoreReadOnly(bool readOnly)
    {
        auto store = StoreFile();
        std::lock_guard lock(store->Mutex());
        store->Db().Exec(readOnly ? "PRAGMA query_only=1" : "PRAGMA query_only=0");
    }
};

}  // namespace

TEST_F(DropBatchTest, ABacklogArrivesWholeEachMessageInItsFolderOnceWithItsOwnNotice)
{
    NewMailCounter counter;
    CComPtr<IMAPIAdviseSink> sink;
    ASSERT_EQ(S_OK, HrAllocAdviseSink(&NewMailCounter::OnNotify, &counter, &sink));
    ULONG_PTR connection = 0;
    ASSERT_EQ(S_OK, m_store->Advise(0, nullptr, fnevNewMail, sink, &connection));

    // Every fifth to Sent Items: the batches break where the folder changes.
    std::set<std::string> inbox, sent;
    for (int i = 1; i <= 30; ++i) {
        char name[16];
        std::snprintf(name, sizeof name, "m%02d.eml", i);
        const std::string subject = "Mail " + std::to_string(i);
        Stage(name, Mail(subject), i % 5 == 0 ? "\\\\Main\\Sent Items" : "");
        (i % 5 == 0 ? sent : inbox).insert(subject);
    }
    DropStaged();
    ASSERT_EQ(S_OK, Spooler()->FlushQueues(0, 0, nullptr, FLUSH_DOWNLOAD));
    ASSERT_TRUE(DropFolderHolds({}));

    EXPECT_EQ(inbox, Subjects(Inbox(m_store)));
    EXPECT_EQ(sent, Subjects(SpecialFolder(m_store, PR_IPM_SENTMAIL_ENTRYID)));
    for (int i = 0; i < 100 && counter.notices < 30; ++i) {
        HrDispatchNotifications(0);
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    std::lock_guard lock(counter.mutex);
    EXPECT_EQ(30, counter.notices);
    EXPECT_EQ(30u, counter.entryIds.size());
    m_store->Unadvise(connection);
}

TEST_F(DropBatchTest, AFileTheStoreCannotTakeWaitsAndHoldsBackNoneOfItsBatch)
{
    LimitStore(60);
    Stage("a.eml", Mail("Small 1"));
    Stage("b.eml", Mail("Small 2"));
    Stage("c.eml", Mail("Too big", std::string(1 << 20, 'x')));
    Stage("d.eml", Mail("Small 3"));
    DropStaged();
    // The spooler's own thread may be the one that meets the failure.
    Spooler()->FlushQueues(0, 0, nullptr, FLUSH_DOWNLOAD);
    EXPECT_TRUE(DropFolderHolds({"c.eml"}));
    EXPECT_EQ((std::set<std::string>{"Small 1", "Small 2", "Small 3"}), Subjects(Inbox(m_store)));

    UnlimitStore();
    ASSERT_EQ(S_OK, Spooler()->FlushQueues(0, 0, nullptr, FLUSH_DOWNLOAD));
    EXPECT_TRUE(DropFolderHolds({}));
    EXPECT_EQ((std::set<std::string>{"Small 1", "Small 2", "Small 3", "Too big"}), Subjects(Inbox(m_store)));
}

TEST_F(DropBatchTest, AStoreThatTakesNothingLeavesEveryFileToTheNextRound)
{
    MakeStoreReadOnly(true);
    for (int i = 1; i <= 12; ++i) Stage("m" + std::to_string(100 + i) + ".eml", Mail("Mail " + std::to_string(i)));
    DropStaged();
    Spooler()->FlushQueues(0, 0, nullptr, FLUSH_DOWNLOAD);
    EXPECT_TRUE(Subjects(Inbox(m_store)).empty());

    MakeStoreReadOnly(false);
    ASSERT_EQ(S_OK, Spooler()->FlushQueues(0, 0, nullptr, FLUSH_DOWNLOAD));
    EXPECT_TRUE(DropFolderHolds({}));
    EXPECT_EQ(12u, Subjects(Inbox(m_store)).size());
}

TEST_F(DropBatchTest, MailTheStoreCannotTakeIsTriedAgainAtTheNextLookNotOverAndOver)
{
    MakeStoreReadOnly(true);
    Stage("one.eml", Mail("Waits"));
    const int watch = inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
    ASSERT_LE(0, watch);
    ASSERT_LE(0, inotify_add_watch(watch, Drop().c_str(), IN_MOVED_TO));
    DropStaged();
    // The spooler looks once a second: a few tries at most, each one giving
    // the file back under its own name.
    std::this_thread::sleep_for(std::chrono::milliseconds(2500));
    int returns = 0;
    alignas(inotify_event) char buffer[64 * 1024];
    for (ssize_t got; (got = read(watch, buffer, sizeof buffer)) > 0;) {
        for (char* at = buffer; at < buffer + got;) {
            const auto* event = reinterpret_cast<const inotify_event*>(at);
            returns += event->len > 0 && std::string(event->name) == "one.eml";
            at += sizeof(inotify_event) + event->len;
        }
    }
    close(watch);
    EXPECT_LE(2, returns);
    EXPECT_GE(8, returns);

    MakeStoreReadOnly(false);
    EXPECT_TRUE(DropFolderHolds({}));
    EXPECT_EQ(std::set<std::string>{"Waits"}, Subjects(Inbox(m_store)));
}
