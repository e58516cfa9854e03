// Several processes logged on to one profile, as `mailhost run` beside
// `mailhost deliver`: each submitted message is sent once and each dropped
// file delivered once, whichever process gets to it.

#include "MapiTestSupport.h"

#include <chrono>
#include <fcntl.h>
#include <fstream>
#include <set>
#include <spawn.h>
#include <sys/wait.h>
#include <thread>

extern char** environ;

namespace {

constexpr int kProcesses = 4;

std::vector<std::filesystem::path> Files(const std::string& folder)
{
    std::vector<std::filesystem::path> files;
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator(folder, error)) files.push_back(entry.path());
    return files;
}

std::string Read(const std::filesystem::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

std::string SubjectOf(const std::string& mime)
{
    std::size_t start = mime.find("Subject: ");
    if (start == std::string::npos) return {};
    start += 9;
    return mime.substr(start, mime.find_first_of("\r\n", start) - start);
}

std::vector<std::string> Subjects(IMAPIFolder* folder)
{
    CComPtr<IMAPITable> table;
    EXPECT_EQ(S_OK, folder->GetContentsTable(0, &table));
    SizedSPropTagArray(1, columns) = {1, {PR_SUBJECT_A}};
    LPSRowSet rows = nullptr;
    EXPECT_EQ(S_OK, HrQueryAllRows(table, reinterpret_cast<LPSPropTagArray>(&columns), nullptr, nullptr, 0, &rows));
    std::vector<std::string> subjects;
    for (ULONG i = 0; rows && i < rows->cRows; ++i) subjects.push_back(rows->aRow[i].lpProps[0].Value.lpszA);
    FreeProws(rows);
    return subjects;
}

}  // namespace

class CSharedProfileTest : public CMapiTest {
protected:
    // Starts the helper processes, lets them all begin at once and waits for
    // their ends; true when every one succeeded.
    bool RunProcesses(const std::vector<std::string>& arguments)
    {
        std::string start = m_dir + "/start";
        std::vector<pid_t> children;
        for (int i = 0; i < kProcesses; ++i) {
            std::vector<std::string> args{std::string(POLLENTA_TEST_DIR) + "/mapi_spooler_process"};
            args.insert(args.end(), arguments.begin(), arguments.end());
            args.insert(args.begin() + 2, start);
            std::vector<char*> argv;
            for (std::string& arg : args) argv.push_back(arg.data());
            argv.push_back(nullptr);
            pid_t child = 0;
            EXPECT_EQ(0, posix_spawn(&child, argv[0], nullptr, nullptr, argv.data(), environ)) << argv[0];
            if (child > 0) children.push_back(child);
        }
        std::ofstream(start).put('\n');
        bool succeeded = children.size() == kProcesses;
        for (pid_t child : children) {
            int status = 0;
            waitpid(child, &status, 0);
            EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "process " << child << " status " << status;
            succeeded = succeeded && WIFEXITED(status) && WEXITSTATUS(status) == 0;
        }
        return succeeded;
    }

    // A mail of that subject written into the drop folder under `name`.
    void WriteDropped(const std::string& name, const std::string& subject)
    {
        std::filesystem::create_directories(Drop());
        std::ofstream(Drop() + "/" + name, std::ios::binary)
            << "From: Alice <alice@example.com>\r\nTo: Bob <bob@example.com>\r\nSubject: " << subject
            << "\r\nMIME-Version: 1.0\r\nContent-Type: text/plain; charset=us-ascii\r\n\r\n" << subject << "\r\n";
    }

    void Submit(IMAPIFolder* outbox, const std::string& subject)
    {
        CComPtr<IMessage> message;
        ASSERT_EQ(S_OK, outbox->CreateMessage(nullptr, 0, &message));
        SetString(message, PR_SUBJECT_A, subject);
        AddRecipient(message, "Bob", "bob@example.com");
        ASSERT_EQ(S_OK, message->SubmitMessage(0));
    }
};

TEST_F(CSharedProfileTest, ProcessesFlushingOneQueueSendEachMessageOnce)
{
    constexpr int kMessages = 400;
    ASSERT_EQ(S_OK, pollenta::mapi::SetSpoolerHold("Test", true));
    CComPtr<IMAPIFolder> outbox = SpecialFolder(m_store, PR_IPM_OUTBOX_ENTRYID);
    for (int i = 0; i < kMessages; ++i) Submit(outbox, "Copy " + std::to_string(i));

    ASSERT_TRUE(RunProcesses({"flush"}));

    std::multiset<std::string> subjects;
    for (const auto& file : Files(Outgoing())) subjects.insert(SubjectOf(Read(file)));
    EXPECT_EQ(static_cast<std::size_t>(kMessages), subjects.size());
    for (int i = 0; i < kMessages; ++i) {
        SCOPED_TRACE("Copy " + std::to_string(i));
        EXPECT_EQ(1u, subjects.count("Copy " + std::to_string(i)));
    }
    EXPECT_EQ(0u, Subjects(outbox).size());
    EXPECT_EQ(static_cast<std::size_t>(kMessages), Subjects(SpecialFolder(m_store, PR_IPM_SENTMAIL_ENTRYID)).size());
}

TEST_F(CSharedProfileTest, ProcessesWatchingOneDropFolderDeliverEachFileOnce)
{
    constexpr int kFiles = 300;
    for (int i = 0; i < kFiles; ++i) {
        std::string name = "mail" + std::to_string(i) + ".eml";
        WriteDropped(name + ".part", "Answer " + std::to_string(i));
        std::filesystem::rename(Drop() + "/" + name + ".part", Drop() + "/" + name);
    }

    // This process's own spooler delivers too, as a fifth watcher.
    ASSERT_TRUE(RunProcesses({"deliver", Drop()}));

    EXPECT_TRUE(Files(Drop()).empty());
    std::multiset<std::string> subjects;
    for (const std::string& subject : Subjects(Inbox(m_store))) subjects.insert(subject);
    EXPECT_EQ(static_cast<std::size_t>(kFiles), subjects.size());
    for (int i = 0; i < kFiles; ++i) {
        SCOPED_TRACE("Answer " + std::to_string(i));
        EXPECT_EQ(1u, subjects.count("Answer " + std::to_string(i)));
    }
}

TEST_F(CSharedProfileTest, MailClaimedByAProcessThatEndedIsDeliveredByTheNext)
{
    pid_t ended = 0;
    char* argv[] = {const_cast<char*>("/bin/true"), nullptr};
    ASSERT_EQ(0, posix_spawn(&ended, argv[0], nullptr, nullptr, argv, environ));
    ASSERT_EQ(ended, waitpid(ended, nullptr, 0));
    WriteDropped("left.eml.claimed-" + std::to_string(ended), "Left behind");
    // A claim of a process that still runs is that process's to finish.
    std::string running = "busy.eml.claimed-" + std::to_string(getppid());
    WriteDropped(running, "Being delivered");

    ASSERT_EQ(S_OK, Spooler()->FlushQueues(0, 0, nullptr, FLUSH_DOWNLOAD));
    // The spooler's own round may have claimed it first and be delivering.
    for (int i = 0; i < 100 && Subjects(Inbox(m_store)).empty(); ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(50));

    EXPECT_EQ(std::vector<std::string>{"Left behind"}, Subjects(Inbox(m_store)));
    EXPECT_EQ(std::vector<std::filesystem::path>{Drop() + "/" + running}, Files(Drop()));
}
