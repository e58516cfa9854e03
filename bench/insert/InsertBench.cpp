// Records per second stored through IHubberly::InsertData, the library
// created by ProgID as the add-in creates it, beside the same durable insert
// made with SQLite directly (WAL, synchronous FULL, one transaction per
// record), in the same run and on the same disk. Time on the clock is
// mostly the disk's flushes, which both pay alike; the thread's CPU time per
// record is what our own work costs.
//
//     bench_insert [records per round]

#include "bench/BenchRow.h"
#include "IHubberly.h"
#include "com/Activation.h"
#include "com/ComPtr.h"
#include "com/ComVariant.h"
#include "com/SafeArray.h"
#include "win/Registry.h"

#include <sqlite3.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <stdexcept>
#include <string>
#include <time.h>

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

namespace {

constexpr int kRounds = 5;
constexpr const char* kSchema =
    "CREATE TABLE Answers (ID INTEGER PRIMARY KEY, Name TEXT, Age INTEGER, Agree BIT, Notes TEXT)";

// What a round took: on the clock and on this thread's CPU.
struct Spent {
    double seconds = 0;
    double cpuSeconds = 0;
    Spent& operator+=(const Spent& other)
    {
        seconds += other.seconds;
        cpuSeconds += other.cpuSeconds;
        return *this;
    }
};

double ThreadCpuSeconds()
{
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) / 1e9;
}

// Runs `work` and says what it took.
template <typename Work>
Spent Measure(Work work)
{
    const auto start = Clock::now();
    const double cpuStart = ThreadCpuSeconds();
    work();
    return {std::chrono::duration<double>(Clock::now() - start).count(), ThreadCpuSeconds() - cpuStart};
}

void Check(bool ok, const std::string& what)
{
    if (!ok)
        throw std::runtime_error(what);
}

void SetText(HKEY root, const std::string& path, const char* name, const std::string& text)
{
    HKEY key = nullptr;
    Check(RegCreateKeyEx(root, path.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr) == ERROR_SUCCESS,
          "cannot create " + path);
    if (name)
        RegSetValueEx(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()),
                      static_cast<DWORD>(text.size() + 1));
    RegCloseKey(key);
}

// A registry of its own with Gastrel registered, as the tests set it up.
void RegisterGastrel(const fs::path& folder)
{
    setenv("POLLENTA_REGISTRY", (folder / "registry").c_str(), 1);
    SetText(HKEY_CURRENT_USER, "SOFTWARE\\Velquin Ltd\\Pollenta", "DataDir", (folder / "data").string());
    SetText(HKEY_LOCAL_MACHINE, "SOFTWARE\\Microsoft\\Office\\11.0\\Access\\Menu Add-Ins", nullptr, "");
    const std::string bin = POLLENTA_BIN_DIR;
    const std::string command = "'" + bin + "/regsvr' /s '" + bin + "/Gastrel.so'";
    Check(std::system(command.c_str()) == 0, "regsvr failed");
}

void Exec(sqlite3* db, const char* sql) { Check(sqlite3_exec(db, sql, nullptr, nullptr, nullptr) == SQLITE_OK, sql); }

void CreateDatabase(const fs::path& path)
{
    sqlite3* db = nullptr;
    Check(sqlite3_open(path.c_str(), &db) == SQLITE_OK, "cannot create " + path.string());
    Exec(db, kSchema);
    Exec(db, "PRAGMA journal_mode=WAL");
    sqlite3_close(db);
}

LONG MakeProject(IHubberly* hubberly, const fs::path& database)
{
    LONG id = 0;
    Check(SUCCEEDED(hubberly->CreateProject(CComVariant("Bench"), &id)), "CreateProject failed");
    hubberly->SetProperty(CComVariant("ConnectionString"), CComVariant("Provider=SQLite;Data Source=" + database.string()));
    hubberly->SetProperty(CComVariant("RecordSource"), CComVariant("[Answers]"));
    Check(SUCCEEDED(hubberly->FinalizeProject(id)), "FinalizeProject failed");
    return id;
}

CComVariant Answer()
{
    const char16_t* texts[] = {u"Name", u"Ann Example", u"Age", u"42", u"Agree", u"on", u"Notes", u"A line of notes."};
    SAFEARRAY* array = SafeArrayCreateVector(VT_BSTR, 0, 8);
    for (LONG i = 0; i < 8; ++i) {
        BSTR text = SysAllocString(texts[i]);
        SafeArrayPutElement(array, &i, text);
        SysFreeString(text);
    }
    CComVariant data;
    data.vt = VT_ARRAY | VT_BSTR;
    data.parray = array;
    return data;
}

Spent Ours(IHubberly* hubberly, LONG id, const CComVariant& data, int records)
{
    return Measure([&] {
        for (int i = 0; i < records; ++i) {
            CComVariant errors;
            LONG result = -1;
            Check(hubberly->InsertData(id, data, &errors, &result) == S_OK && result == 0,
                  "InsertData gave result " + std::to_string(result));
        }
    });
}

// The same durable insert with SQLite directly, on one handle kept open
// from round to round as the pool keeps ours: a handle closed between rounds
// would start each round on a fresh write-ahead log.
class BareDatabase {
public:
    explicit BareDatabase(const fs::path& path)
    {
        Check(sqlite3_open(path.c_str(), &m_db) == SQLITE_OK, "cannot open " + path.string());
        Exec(m_db, "PRAGMA journal_mode=WAL");
        Exec(m_db, "PRAGMA synchronous=FULL");
        Check(sqlite3_prepare_v2(m_db, "INSERT INTO Answers (Name, Age, Agree, Notes) VALUES (?, ?, ?, ?)", -1,
                                 &m_insert, nullptr) == SQLITE_OK,
              "prepare failed");
    }
    ~BareDatabase()
    {
        sqlite3_finalize(m_insert);
        sqlite3_close(m_db);
    }
    BareDatabase(const BareDatabase&) = delete;
    BareDatabase& operator=(const BareDatabase&) = delete;

    Spent Insert(int records)
    {
        return Measure([&] {
            for (int i = 0; i < records; ++i) {
                Exec(m_db, "BEGIN IMMEDIATE");
                sqlite3_bind_text(m_insert, 1, "Ann Example", -1, SQLITE_STATIC);
                sqlite3_bind_int(m_insert, 2, 42);
                sqlite3_bind_int(m_insert, 3, 1);
                sqlite3_bind_text(m_insert, 4, "A line of notes.", -1, SQLITE_STATIC);
                Check(sqlite3_step(m_insert) == SQLITE_DONE, "insert failed");
                sqlite3_reset(m_insert);
                Exec(m_db, "COMMIT");
            }
        });
    }

private:
    sqlite3* m_db = nullptr;
    sqlite3_stmt* m_insert = nullptr;
};

int Run(const fs::path& folder, int records)
{
    RegisterGastrel(folder);
    fs::create_directories(folder / "data");
    const fs::path ours = folder / "answers.db";
    CreateDatabase(ours);
    CreateDatabase(folder / "bare.db");
    BareDatabase bare(folder / "bare.db");

    Check(SUCCEEDED(CoInitialize(nullptr)), "CoInitialize failed");
    CLSID clsid = GUID_NULL;
    Check(SUCCEEDED(CLSIDFromProgID(kHubberlyProgIDW, &clsid)), "Gastrel.Hubberly is not registered");
    CComPtr<IHubberly> hubberly;
    Check(SUCCEEDED(CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER, IID_IHubberly,
                                     reinterpret_cast<void**>(&hubberly))),
          "Gastrel.Hubberly cannot be created");
    const LONG id = MakeProject(hubberly, ours);
    const CComVariant data = Answer();

    // Rounds take turns, so that a slow moment of the disk falls on both.
    Ours(hubberly, id, data, records / 10 + 1);
    bare.Insert(records / 10 + 1);
    Spent oursTotal, bareTotal;
    for (int round = 0; round < kRounds; ++round) {
        oursTotal += Ours(hubberly, id, data, records);
        bareTotal += bare.Insert(records);
    }
    hubberly.Release();
    CoUninitialize();

    const double count = static_cast<double>(records) * kRounds;
    std::printf("InsertData by ProgID: %8.0f records/s (%.3f ms per record, %.3f ms CPU)\n",
                count / oursTotal.seconds, oursTotal.seconds * 1000 / count, oursTotal.cpuSeconds * 1000 / count);
    std::printf("bare SQLite insert:   %8.0f records/s (%.3f ms per record, %.3f ms CPU)\n",
                count / bareTotal.seconds, bareTotal.seconds * 1000 / count, bareTotal.cpuSeconds * 1000 / count);
    std::printf("ratio (ours / bare time per record): %.2f, CPU: %.2f\n", oursTotal.seconds / bareTotal.seconds,
                oursTotal.cpuSeconds / bareTotal.cpuSeconds);
    bench::PrintRateRow("insert: InsertData by ProgID", "records/s", count / oursTotal.seconds,
                        count / bareTotal.seconds);
    bench::PrintTimeRow("insert: InsertData CPU per record", "ms", oursTotal.cpuSeconds * 1000 / count,
                        bareTotal.cpuSeconds * 1000 / count);
    return 0;
}

}  // namespace

int main(int argc, char** argv)
{
    const int records = argc > 1 ? std::max(1, std::atoi(argv[1])) : 400;
    std::string pattern = (fs::temp_directory_path() / "pollenta-bench-insert-XXXXXX").string();
    if (!mkdtemp(pattern.data())) {
        std::perror("mkdtemp");
        return 1;
    }
    int status = 1;
    try {
        status = Run(pattern, records);
    } catch (const std::exception& error) {
        std::fprintf(stderr, "bench_insert: %s\n", error.what());
    }
    std::error_code ignored;
    fs::remove_all(pattern, ignored);
    return status;
}
