// bench_answers [count]
// Answers per second from delivery to stored and marked record: a separate
// process (this program again, "--deliver") drops `count` answers (default
// 2,000) as .eml files into the profile's drop folder while the inbox
// processor runs here; the MAPI layer delivers them into the Inbox, the
// store notifications queue them, and the processor stores each one in the
// project's SQLite table and marks its subject. In the same run, the bare
// figure: a loop doing only the durable writes one answer needs (the
// processed mark and the subject, each a property write and a save of the
// message, and one INSERT into the answer table). Everything lives in a
// temporary folder with its own registry.

#include "AnswerEml.h"
#include "AnswerWorld.h"

#include "message/ProcessedMark.h"
#include "processor/CWEInboxProcessor.h"

#include "testsupport/TempFolder.h"
#include "util/CZrRowSetPtr.h"

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

// The delivering process: each file written whole under another name, then
// renamed into place.
int Deliver(const fs::path& drop, LONG projectId, int count)
{
    for (int i = 1; i <= count; ++i) {
        const fs::path temporary = drop / ("answer-" + std::to_string(i) + ".part");
        std::ofstream(temporary, std::ios::binary) << AnswerText(projectId, i);
        char name[32];
        std::snprintf(name, sizeof name, "answer-%06d.eml", i);
        fs::rename(temporary, drop / name);
    }
    return 0;
}

pid_t SpawnDeliverer(const char* self, const AnswerWorld& world, int count)
{
    const std::string drop = world.DropFolder().string();
    const std::string project = std::to_string(world.ProjectId());
    const std::string number = std::to_string(count);
    char* argv[] = {const_cast<char*>(self),          const_cast<char*>("--deliver"), const_cast<char*>(drop.c_str()),
                    const_cast<char*>(project.c_str()), const_cast<char*>(number.c_str()), nullptr};
    pid_t pid = 0;
    if (posix_spawn(&pid, self, nullptr, nullptr, argv, environ) != 0)
        throw std::runtime_error("cannot start the delivering process");
    return pid;
}

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
// mode), the subject.
double BareSeconds(AnswerWorld& world)
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
    return seconds;
}

int Run(const char* self, int count)
{
    pollenta::testsupport::TempFolder folder("pollenta-bench-answers");
    AnswerWorld world(folder.Path());
    world.Create();
    world.Settings().m_nAddJournProcess = 1;

    CWEInboxProcessor processor;
    if (FAILED(processor.Start(world.Snapshot(), world.Log(), world.Session())))
        throw std::runtime_error("the inbox processor did not start");
    const auto start = Clock::now();
    const pid_t deliverer = SpawnDeliverer(self, world, count);
    if (!world.WaitForRecords(count, 600))
        throw std::runtime_error("not every answer was stored");
    processor.Stop();
    const double ours = Seconds(Clock::now() - start);
    int status = 0;
    waitpid(deliverer, &status, 0);

    int marked = 0;
    for (const auto& message : world.Messages(world.InboxId()))
        marked += message.processed && message.subject.size() > 9 &&
                  message.subject.compare(message.subject.size() - 9, 9, " [stored]") == 0;
    if (marked != count || world.Count() != count)
        throw std::runtime_error("stored " + std::to_string(world.Count()) + " and marked " + std::to_string(marked) +
                                 " of " + std::to_string(count));

    const double bare = BareSeconds(world);
    const double oursRate = count / ours;
    const double bareRate = count / bare;
    std::printf("answers: %d, delivered by a separate process through the drop folder\n", count);
    std::printf("ours (delivery to stored and marked record): %9.1f answers/s  (%.2f s)\n", oursRate, ours);
    std::printf("bare (mark, insert, subject per answer):     %9.1f answers/s  (%.2f s)\n", bareRate, bare);
    std::printf("ratio (bare rate / our rate):                %9.2f\n", bareRate / oursRate);
    return 0;
}

}  // namespace

int main(int argc, char** argv)
{
    try {
        if (argc == 5 && std::string(argv[1]) == "--deliver")
            return Deliver(argv[2], std::atoi(argv[3]), std::atoi(argv[4]));
        const int count = argc > 1 ? std::atoi(argv[1]) : 2000;
        if (count <= 0) {
            std::fprintf(stderr, "usage: bench_answers [count]\n");
            return 2;
        }
        return Run(argv[0], count);
    } catch (const std::exception& error) {
        std::fprintf(stderr, "bench_answers: %s\n", error.what());
        return 1;
    }
}
