// bench_answers [count]
// Answers per second from delivery to stored and marked record, through the
// mail host as users run it: everything registered by the registration
// script, `mailhost --headless run` on the profile with the add-in loaded,
// and `count` answers (default 2,000) dropped as .eml files into the
// profile's drop folder while it runs. The files are written beforehand on
// the same file system and the clock starts when they are moved in: their
// writing is the sender's work, and creating a file can cost more on a
// slow disk than everything the host then does with it. One answer goes
// first, alone and before the clock. The host delivers them into the
// Inbox, the store notifications queue them, and the add-in's processor
// stores each one in the project's SQLite table and marks its subject. The
// clock stops when the host, told to stop once the last record is stored,
// has ended: by then every mark is written (checked after). In the same
// run, the bare figure: a loop doing only the durable writes one answer
// needs (the processed mark and the subject, each a property write and a
// save of the message, and one INSERT into the answer table). Everything
// lives in a temporary folder with its own registry.

#include "AnswerEml.h"
#include "bench/BenchRow.h"
#include "AnswerWorld.h"

#include "message/ProcessedMark.h"

#include "testsupport/TempFolder.h"
#include "util/CZrRowSetPtr.h"

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sqlite3.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

extern char** environ;

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

namespace {

std::string AnswerText(LONG projectId, int seq)
{
    const std::string number = std::to_string(seq);
    return AnswerEml::Message("Answer " + number,
                              AnswerEml::FormData({{"kqProjectID", std::to_string(projectId)},
                                                   {"Seq", number},
                                                   {"Name", "J\u00fcrgen M " + number},
                                                   {"Notes", "Answer number " + number + " & more: 100%"}}));
}

std::string FileName(int seq)
{
    char name[32];
    std::snprintf(name, sizeof name, "answer-%06d.eml", seq);
    return name;
}

// The answers as the mail arrives, written whole where the host does not
// look.
void Write(const fs::path& staging, LONG projectId, int first, int last)
{
    fs::create_directories(staging);
    for (int i = first; i <= last; ++i)
        std::ofstream(staging / FileName(i), std::ios::binary) << AnswerText(projectId, i);
}

// Each file renamed into place, as the host expects of its drop folder.
void Drop(const fs::path& staging, const fs::path& drop, int first, int last)
{
    for (int i = first; i <= last; ++i)
        fs::rename(staging / FileName(i), drop / FileName(i));
}

std::string ReadText(const fs::path& file)
{
    std::ifstream stream(file, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(stream), std::istreambuf_iterator<char>());
}

// `mailhost --headless run` on the world's profile, its output in `output`.
class Host {
public:
    explicit Host(const fs::path& output) : m_output(output)
    {
        const std::string program = std::string(POLLENTA_BIN_DIR) + "/mailhost";
        std::vector<std::string> args = {program, "--profile", AnswerWorld::kProfile, "--headless", "run"};
        std::vector<char*> argv;
        for (std::string& arg : args)
            argv.push_back(arg.data());
        argv.push_back(nullptr);
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_addopen(&actions, 1, output.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        const int spawned = posix_spawn(&m_pid, program.c_str(), &actions, nullptr, argv.data(), environ);
        posix_spawn_file_actions_destroy(&actions);
        if (spawned != 0)
            throw std::runtime_error("cannot start " + program);
        for (int i = 0; ReadText(m_output).find("running") == std::string::npos; ++i) {
            if (i > 600)
                throw std::runtime_error("the host did not start: " + ReadText(m_output));
            std::this_thread::sleep_for(std::chrono::milliseconds(50));
        }
        if (ReadText(m_output).find("Kestrin.WEConnect connected") == std::string::npos)
            throw std::runtime_error("the host runs without the add-in");
    }
    ~Host()
    {
        if (m_pid > 0)
            Stop();
    }
    void Stop()
    {
        kill(m_pid, SIGTERM);
        int status = 0;
        waitpid(m_pid, &status, 0);
        m_pid = 0;
        if (!WIFEXITED(status) || WEXITSTATUS(status) != 0)
            throw std::runtime_error("the host did not stop cleanly");
    }

private:
    fs::path m_output;
    pid_t m_pid = 0;
};

double Seconds(Clock::duration elapsed)
{
    return std::chrono::duration<double>(elapsed).count();
}

// Entry ids of the Inbox's messages.
std::vector<std::string> InboxEntries(AnswerWorld& world)
{
    CComPtr<IMAPIFolder> inbox = world.OpenFolder(world.InboxId());
    CComPtr<IMAPITable> table;
    inbox->GetContentsTable(0, &table);
    SizedSPropTagArray(1, columns) = {1, {PR_ENTRYID}};
    CZrRowSetPtr rows;
    HrQueryAllRows(table, reinterpret_cast<LPSPropTagArray>(&columns), nullptr, nullptr, 0, &rows);
    std::vector<std::string> ids;
    for (ULONG i = 0; rows.get() && i < rows->cRows; ++i) {
        const SBinary& bin = rows->aRow[i].lpProps[0].Value.bin;
        ids.emplace_back(reinterpret_cast<const char*>(bin.lpb), bin.cb);
    }
    return ids;
}

void SaveProp(IMessage* message, SPropValue& value)
{
    if (FAILED(HrSetOneProp(message, &value)) || FAILED(message->SaveChanges(KEEP_OPEN_READWRITE)))
        throw std::runtime_error("a property write failed in the bare loop");
}

// The durable writes of one answer, for every message of the Inbox: the
// processed mark, one INSERT (autocommit, the answer file's own journal
// mode), the subject. Messages per second.
double BareRate(AnswerWorld& world)
{
    const std::vector<std::string> ids = InboxEntries(world);
    sqlite3* db = nullptr;
    if (sqlite3_open(world.Database().c_str(), &db) != SQLITE_OK)
        throw std::runtime_error("cannot open the answer table");
    sqlite3_stmt* insert = nullptr;
    sqlite3_prepare_v2(db,
                       "INSERT INTO Answers (Seq, Name, Notes, SenderEmail) VALUES (?, 'J\u00fcrgen M', "
                       "'Answer number & more: 100%', 'ann@example.com')",
                       -1, &insert, nullptr);
    ULONG markTag = 0;
    GetProcessedPropTag(world.Store(), markTag);
    const auto start = Clock::now();
    int seq = 100000;
    for (const std::string& id : ids) {
        ULONG type = 0;
        CComPtr<IUnknown> object;
        world.Store()->OpenEntry(static_cast<ULONG>(id.size()), reinterpret_cast<LPENTRYID>(const_cast<char*>(id.data())),
                                 &IID_IMessage, MAPI_BEST_ACCESS, &type, &object);
        CComQIPtr<IMessage> message(object.p);
        if (!message)
            throw std::runtime_error("a message cannot be opened in the bare loop");
        SPropValue mark{};
        mark.ulPropTag = markTag;
        mark.Value.l = 1;
        SaveProp(message, mark);
        sqlite3_bind_int(insert, 1, ++seq);
        if (sqlite3_step(insert) != SQLITE_DONE)
            throw std::runtime_error(sqlite3_errmsg(db));
        sqlite3_reset(insert);
        std::string subject = "Answer [stored]";
        SPropValue title{};
        title.ulPropTag = PR_SUBJECT_A;
        title.Value.lpszA = subject.data();
        SaveProp(message, title);
    }
    const double seconds = Seconds(Clock::now() - start);
    sqlite3_finalize(insert);
    sqlite3_close(db);
    return ids.size() / seconds;
}

int Run(int count)
{
    pollenta::testsupport::TempFolder folder("pollenta-bench-answers");
    setenv("XDG_DATA_HOME", (folder.Path() / "data").c_str(), 1);
    AnswerWorld world(folder.Path());
    world.Create(AnswerWorld::Registration::Everything);
    // A session here would take mail from the drop folder past the host.
    world.Close();

    // Answer 0 goes first and alone: the host is running as it runs all
    // day, its start-up pass over the Inbox ended and the library loaded.
    const fs::path staging = folder.Path() / "arriving";
    Write(staging, world.ProjectId(), 0, count);
    Host host(folder.Path() / "host.txt");
    Drop(staging, world.DropFolder(), 0, 0);
    if (!world.WaitForRecords(1, 60))
        throw std::runtime_error("the first answer was not stored");
    const auto start = Clock::now();
    Drop(staging, world.DropFolder(), 1, count);
    if (!world.WaitForRecords(count + 1, 600))
        throw std::runtime_error("not every answer was stored");
    const double stored = Seconds(Clock::now() - start);
    host.Stop();
    const double ours = Seconds(Clock::now() - start);

    world.Open();
    int marked = 0;
    for (const auto& message : world.Messages(world.InboxId()))
        marked += message.processed && message.subject.size() > 9 &&
                  message.subject.compare(message.subject.size() - 9, 9, " [stored]") == 0;
    if (marked != count + 1 || world.Count() != count + 1)
        throw std::runtime_error("stored " + std::to_string(world.Count()) + " and marked " + std::to_string(marked) +
                                 " of " + std::to_string(count));

    const double bareRate = BareRate(world);
    const double oursRate = count / ours;
    std::printf("answers: %d, dropped into a running mailhost with the add-in\n", count);
    std::printf("ours (delivery to stored and marked record): %9.1f answers/s  (%.2f s; last record stored at %.2f s)\n",
                oursRate, ours, stored);
    std::printf("bare (mark, insert, subject per answer):     %9.1f answers/s\n", bareRate);
    std::printf("ratio (bare rate / our rate):                %9.2f\n", bareRate / oursRate);
    bench::PrintRateRow("answers: delivery to stored record", "answers/s", oursRate, bareRate);
    return 0;
}

}  // namespace

int main(int argc, char** argv)
{
    try {
        const int count = argc > 1 ? std::atoi(argv[1]) : 2000;
        if (count <= 0) {
            std::fprintf(stderr, "usage: bench_answers [count]\n");
            return 2;
        }
        return Run(count);
    } catch (const std::exception& error) {
        std::fprintf(stderr, "bench_answers: %s\n", error.what());
        return 1;
    }
}
