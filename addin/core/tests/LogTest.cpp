// The log writer on real files in a temporary folder, with a fixed clock in
// UTC: the day's file byte for byte, many threads, old logs by age, and the
// folder an uninstall leaves.

#include "AddinTestFolder.h"

#include "log/CWELog.h"
#include "log/ClearLogFolder.h"

#include "com/ComPtr.h"
#include "com/ErrorInfo.h"
#include "com/UnknownImpl.h"
#include "mapi/MapiUtil.h"
#include "win/Time.h"

#include <fcntl.h>
#include <sys/stat.h>

#include <map>
#include <regex>
#include <sstream>
#include <thread>

namespace fs = std::filesystem;

namespace {

constexpr LONGLONG kTicksPerSecond = 10'000'000;
constexpr LONGLONG kTicksPerDay = 86'400 * kTicksPerSecond;

ULONGLONG Ticks(WORD year, WORD month, WORD day, WORD hour, WORD minute, WORD second)
{
    SYSTEMTIME time{year, month, 0, day, hour, minute, second, 0};
    FILETIME file{};
    SystemTimeToFileTime(&time, &file);
    return FileTimeTicks(file);
}

// Sets a file's modification time to `ticks` (FILETIME ticks).
void Age(const fs::path& file, ULONGLONG ticks)
{
    constexpr LONGLONG kUnixEpoch = 116'444'736'000'000'000LL;
    const LONGLONG unixTicks = static_cast<LONGLONG>(ticks) - kUnixEpoch;
    timespec times[2];
    times[0].tv_sec = times[1].tv_sec = unixTicks / kTicksPerSecond;
    times[0].tv_nsec = times[1].tv_nsec = (unixTicks % kTicksPerSecond) * 100;
    ASSERT_EQ(0, utimensat(AT_FDCWD, file.c_str(), times, 0)) << file;
}

std::vector<std::string> Lines(const std::string& text)
{
    std::vector<std::string> lines;
    std::size_t start = 0;
    for (std::size_t end; (end = text.find("\r\n", start)) != std::string::npos; start = end + 2)
        lines.push_back(text.substr(start, end - start));
    EXPECT_EQ(text.size(), start) << "text after the last line end";
    return lines;
}

class LogTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        setenv("TZ", "UTC", 1);
        tzset();
        m_previousClock = SetSystemClock([this] { return m_now; });
        settings.SetProfileName("Work");
        settings.m_strLogFolderPath = Logs().string();
        log.SetSettings(&settings);
    }
    void TearDown() override { SetSystemClock(m_previousClock); }

    fs::path Logs() const { return folder.Path() / "logs"; }
    std::string Today() const { return AddinTestFolder::ReadFile(Logs() / "kq061110.log"); }

    AddinTestFolder folder;
    CWESettings settings;
    CWELog log;
    ULONGLONG m_now = Ticks(2006, 11, 10, 9, 15, 2);

private:
    SystemClock m_previousClock;
};

// An object that sets error information for calls through one interface.
class ErrorReporter : public pollenta::com::CUnknownImpl<ErrorReporter, ISupportErrorInfo> {
public:
    STDMETHODIMP InterfaceSupportsErrorInfo(REFIID iid) override { return iid == IID_IDispatch ? S_OK : S_FALSE; }
};

// A MAPI object whose last error is known.
struct MapiObjectWithError {
    HRESULT GetLastError(HRESULT, ULONG, LPMAPIERROR* error)
    {
        MAPIAllocateBuffer(sizeof(MAPIERROR), reinterpret_cast<LPVOID*>(error));
        **error = MAPIERROR{1, const_cast<LPSTR>("Store is busy"), nullptr, 0, 0};
        return S_OK;
    }
};

}  // namespace

TEST_F(LogTest, DaysFileHasTheHeaderAndOneTabSeparatedLinePerEvent)
{
    EXPECT_EQ(1, log.Write(0x200022B1));
    EXPECT_EQ(1, log.Write(0xE00022C5, {"Gastrel.Hubberly"}));
    EXPECT_EQ(1, log.Write(0x600022CB, {"OnConnection fatal error"}));
    EXPECT_EQ(1, log.WriteRecord(0xA00022BA, "A warning"));
    EXPECT_EQ("#Software: Pollenta 1.4.0, released on November 10, 2006\r\n"
              "#Version: 1.4.0\r\n"
              "#Date: 2006-11-10 09:15:02\r\n"
              "#Fields: time profile status description\r\n"
              "09:15:02\tWork\tI\tCOM Add-In launch...\r\n"
              "09:15:02\tWork\tE\tFatal error while creating object \"Gastrel.Hubberly\"\r\n"
              "09:15:02\tWork\tI\tDebug Message: OnConnection fatal error\r\n"
              "09:15:02\tWork\tI\tA warning\r\n",
              Today());
}

TEST_F(LogTest, NextDayStartsANewFileAndTheHeaderIsWrittenOnce)
{
    log.Write(0x200022B1);
    m_now += 3600 * kTicksPerSecond;
    log.Write(0x200022B3);
    m_now += kTicksPerDay;
    log.Write(0x200022B4);
    EXPECT_EQ(6u, Lines(Today()).size());
    const std::vector<std::string> next = Lines(AddinTestFolder::ReadFile(Logs() / "kq061111.log"));
    ASSERT_EQ(5u, next.size());
    EXPECT_EQ("#Date: 2006-11-11 10:15:02", next[2]);
    EXPECT_EQ("10:15:02\tWork\tI\tCOM Add-In shutdown successfully completed", next[4]);
}

TEST_F(LogTest, ControlCharactersAndLongInsertsCannotBreakTheLineFormat)
{
    settings.SetProfileName("Tab\tProfile");
    log.Write(0x600022CB, {"first\r\nsecond\tthird\x01"});
    log.Write(0x600022CB, {std::string(5000, 'x')});
    log.Write(0xE00022AF, {"call", std::string(3000, 'y')});
    const std::vector<std::string> lines = Lines(Today());
    ASSERT_EQ(7u, lines.size());
    EXPECT_EQ("09:15:02\tTab Profile\tI\tDebug Message: first  second third ", lines[4]);
    EXPECT_EQ("09:15:02\tTab Profile\tI\tDebug Message: " + std::string(CWELog::kInsertLimit, 'x') + "...", lines[5]);
    EXPECT_NE(std::string::npos, lines[6].find(std::string(CWELog::kInsertLimit, 'y') + "..."));
}

TEST_F(LogTest, EightThreadsWritingAThousandRecordsEachGiveEightThousandWholeLines)
{
    constexpr int kThreads = 8;
    constexpr int kRecords = 1000;
    std::vector<std::thread> threads;
    for (int t = 0; t < kThreads; ++t) {
        threads.emplace_back([this, t] {
            for (int r = 0; r < kRecords; ++r)
                log.Write(0x600022CB, {"thread " + std::to_string(t) + " record " + std::to_string(r)});
        });
    }
    for (std::thread& thread : threads)
        thread.join();

    const std::vector<std::string> lines = Lines(Today());
    ASSERT_EQ(4u + kThreads * kRecords, lines.size());
    const std::regex record("09:15:02\tWork\tI\tDebug Message: thread ([0-7]) record ([0-9]+)");
    std::map<std::string, int> seen;
    for (std::size_t i = 4; i < lines.size(); ++i) {
        std::smatch match;
        ASSERT_TRUE(std::regex_match(lines[i], match, record)) << "line " << i << ": " << lines[i];
        ++seen[match[1].str() + "/" + match[2].str()];
    }
    EXPECT_EQ(static_cast<std::size_t>(kThreads * kRecords), seen.size());
}

TEST_F(LogTest, SwitchedOffTheLogMakesNoFolderAndSaysDone)
{
    settings.m_nMakeJounral = 0;
    EXPECT_EQ(1, log.Write(0x200022B1));
    EXPECT_EQ(1, log.AppendLine("record"));
    EXPECT_EQ(1, log.LogComFailure("call", E_FAIL, ""));
    EXPECT_EQ(1, log.LogMapiFailure("call", E_FAIL, nullptr));
    EXPECT_FALSE(fs::exists(Logs()));
}

TEST_F(LogTest, FailuresLoseTheEventAndReturnZero)
{
    EXPECT_EQ(0, log.Write(0xE0001234));
    EXPECT_EQ(0, log.AppendLine(""));
    settings.m_strLogFolderPath = (folder.Path() / "missing" / "logs").string();
    EXPECT_EQ(0, log.Write(0x200022B1));
    EXPECT_FALSE(fs::exists(folder.Path() / "missing"));
    CWELog detached;
    EXPECT_EQ(1, detached.Write(0x200022B1));
}

TEST_F(LogTest, EmptyLogFolderMeansTheModulesLogsWithoutChangingTheSettings)
{
    EXPECT_EQ(Logs().string(), log.GetFolder());
    settings.m_strLogFolderPath.clear();
    const fs::path program = fs::read_symlink("/proc/self/exe").parent_path();
    EXPECT_EQ((program / "Logs").string(), log.GetFolder());
    EXPECT_EQ("", settings.m_strLogFolderPath);
}

TEST_F(LogTest, ComAndMapiFailuresCarryTheirDescriptions)
{
    CComPtr<ISupportErrorInfo> reporter;
    ASSERT_EQ(S_OK, ErrorReporter::CreateInstance(IID_ISupportErrorInfo, reinterpret_cast<void**>(&reporter)));
    pollenta::com::ReportError(E_FAIL, "Folder is gone");
    EXPECT_EQ(1, log.LogComError("spInbox->get_EntryID", E_FAIL, reporter, IID_IDispatch));
    EXPECT_EQ(1, log.LogComError("spDrafts->get_EntryID", E_FAIL, reporter, IID_IUnknown));
    EXPECT_EQ(1, log.LogComError("", S_OK, nullptr, IID_IDispatch));
    EXPECT_EQ(0, log.LogComError("spPages->Add", E_FAIL, nullptr, IID_IDispatch));
    EXPECT_EQ(1, log.LogComFailure("", E_NOINTERFACE, ""));

    MAPIERROR error{1, const_cast<LPSTR>("Store is busy"), nullptr, 0, 0};
    EXPECT_EQ(1, log.LogMapiFailure("spContentsTable->Restrict", MAPI_E_NOT_FOUND, &error));
    EXPECT_EQ(1, log.LogMapiFailure("spFolder->GetProps", 0x80041234, nullptr));
    MapiObjectWithError object;
    EXPECT_EQ(1, log.LogMapiCall("spStore->OpenEntry", MAPI_E_BUSY, &object));
    EXPECT_EQ(1, log.LogMapiCall("spStore->OpenEntry", S_OK, &object));

    const std::vector<std::string> lines = Lines(Today());
    const std::string com = "09:15:02\tWork\tE\tOutlook Object Model: The \"";
    const std::string mapi = "09:15:02\tWork\tE\tMAPI error: The \"";
    ASSERT_EQ(10u, lines.size());
    EXPECT_EQ(com + "spInbox->get_EntryID\" function has returned the error code 0x80004005 (Folder is gone)",
              lines[4]);
    EXPECT_EQ(com + "spDrafts->get_EntryID\" function has returned the error code 0x80004005", lines[5]);
    EXPECT_EQ(com + "Unknown\" function has returned the error code 0x80004002", lines[6]);
    EXPECT_EQ(mapi + "spContentsTable->Restrict\" function has returned the error code MAPI_E_NOT_FOUND "
                     "(Store is busy)",
              lines[7]);
    EXPECT_EQ(mapi + "spFolder->GetProps\" function has returned the error code 0x80041234", lines[8]);
    EXPECT_EQ(mapi + "spStore->OpenEntry\" function has returned the error code MAPI_E_BUSY (Store is busy)",
              lines[9]);
    EXPECT_EQ("MAPI_E_NOT_FOUND", CWELog::GetMapiErrorName(MAPI_E_NOT_FOUND));
}

TEST_F(LogTest, OldLogsAreDeletedByAgeAndTheUsersFilesSurvive)
{
    settings.m_nKeepDays = 15;
    const ULONGLONG limit = m_now - 15 * kTicksPerDay;
    const struct {
        const char* name;
        ULONGLONG modified;
        bool survives;
    } cases[] = {
        {"kq061025.log", limit - kTicksPerSecond, false},
        {"kq061026.log", limit, true},
        {"kq061109.log", m_now - kTicksPerDay, true},
        {"notes.txt", limit - 100 * kTicksPerDay, true},
        {"mine.log", limit - 100 * kTicksPerDay, true},
        {"kq0610.log", limit - 100 * kTicksPerDay, true},
    };
    for (const auto& c : cases)
        Age(folder.WriteFile("logs/" + std::string(c.name), "x"), c.modified);
    fs::create_directory(Logs() / "kq060101.log");

    EXPECT_EQ(1, log.DeleteOldLogs());
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(c.survives, fs::exists(Logs() / c.name));
    }
    EXPECT_TRUE(fs::is_directory(Logs() / "kq060101.log"));
}

TEST_F(LogTest, HugeKeepDaysKeepsEveryLogAndAutoClearOffKeepsThemToo)
{
    const fs::path old = folder.WriteFile("logs/kq000101.log", "x");
    Age(old, Ticks(2000, 1, 1, 0, 0, 0));
    for (LONG days : {-1, 2'000'000'000, 1'000'000'000}) {
        SCOPED_TRACE(days);
        settings.m_nKeepDays = days;
        EXPECT_EQ(1, log.DeleteOldLogs());
        EXPECT_TRUE(fs::exists(old));
    }
    settings.m_nKeepDays = 0;
    settings.m_nAutoClear = 0;
    EXPECT_EQ(1, log.DeleteOldLogs());
    EXPECT_TRUE(fs::exists(old));
    settings.m_nAutoClear = 1;
    EXPECT_EQ(1, log.DeleteOldLogs());
    EXPECT_FALSE(fs::exists(old));
    settings.m_strLogFolderPath.clear();
    EXPECT_EQ(0, log.DeleteOldLogs());
}

TEST(ClearLogFolderTest, OnlyTheLogsGoAndTheFolderStaysWhileItHoldsOtherThings)
{
    AddinTestFolder folder;
    const fs::path logs = folder.Path() / "chosen";
    folder.WriteFile("chosen/kq061110.log", "x");
    folder.WriteFile("chosen/kq061111.log", "x");
    const fs::path notes = folder.WriteFile("chosen/notes.txt", "mine");
    const fs::path elsewhere = folder.WriteFile("elsewhere/kq061109.log", "not ours to delete");
    fs::create_directory_symlink(folder.Path() / "elsewhere", logs / "link");
    fs::create_symlink(elsewhere, logs / "kq061108.log");

    ClearLogFolder(logs.string());
    EXPECT_FALSE(fs::exists(logs / "kq061110.log"));
    EXPECT_FALSE(fs::exists(logs / "kq061111.log"));
    EXPECT_TRUE(fs::exists(notes));
    EXPECT_TRUE(fs::is_symlink(logs / "link"));
    EXPECT_TRUE(fs::exists(elsewhere));

    fs::remove(notes);
    fs::remove(logs / "link");
    fs::remove(logs / "kq061108.log");
    ClearLogFolder(logs.string());
    EXPECT_FALSE(fs::exists(logs));
    EXPECT_TRUE(fs::exists(elsewhere));
}
