#include "win/Time.h"

#include "win/Errors.h"

#include <chrono>
#include <ctime>
#include <mutex>

namespace {

// Ticks between 1601-01-01 and 1970-01-01.
constexpr ULONGLONG kUnixEpochTicks = 116444736000000000ULL;
constexpr ULONGLONG kTicksPerSecond = 10000000ULL;
constexpr ULONGLONG kTicksPerDay = kTicksPerSecond * 86400;
// Days from 1601-01-01 to 1970-01-01.
constexpr long long kUnixEpochDays = 134774;
// The last tick a SYSTEMTIME can hold (30827-12-31 23:59:59.999).
constexpr ULONGLONG kLastTick = 0x7FFF35F4F06C7FFFULL;

std::mutex g_clockMutex;
SystemClock g_clock;

ULONGLONG Now()
{
    {
        std::lock_guard guard(g_clockMutex);
        if (g_clock)
            return g_clock();
    }
    timespec now{};
    clock_gettime(CLOCK_REALTIME, &now);
    return kUnixEpochTicks + static_cast<ULONGLONG>(now.tv_sec) * kTicksPerSecond + now.tv_nsec / 100;
}

SYSTEMTIME SystemTimeOf(ULONGLONG ticks)
{
    using namespace std::chrono;
    const auto days = static_cast<long long>(ticks / kTicksPerDay);
    const year_month_day date{sys_days{std::chrono::days{days - kUnixEpochDays}}};
    const ULONGLONG inDay = ticks % kTicksPerDay;
    SYSTEMTIME time{};
    time.wYear = static_cast<WORD>(static_cast<int>(date.year()));
    time.wMonth = static_cast<WORD>(static_cast<unsigned>(date.month()));
    time.wDay = static_cast<WORD>(static_cast<unsigned>(date.day()));
    // 1601-01-01 was a Monday.
    time.wDayOfWeek = static_cast<WORD>((days + 1) % 7);
    time.wHour = static_cast<WORD>(inDay / (kTicksPerSecond * 3600));
    time.wMinute = static_cast<WORD>(inDay / (kTicksPerSecond * 60) % 60);
    time.wSecond = static_cast<WORD>(inDay / kTicksPerSecond % 60);
    time.wMilliseconds = static_cast<WORD>(inDay / 10000 % 1000);
    return time;
}

// The zone's offset from UTC in seconds at the given UTC instant.
long long OffsetAt(ULONGLONG utcTicks)
{
    const time_t seconds = static_cast<time_t>((static_cast<long long>(utcTicks) - static_cast<long long>(kUnixEpochTicks)) /
                                               static_cast<long long>(kTicksPerSecond));
    tm local{};
    if (!localtime_r(&seconds, &local))
        return 0;
    return local.tm_gmtoff;
}

BOOL Fail()
{
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
}

BOOL Shift(const FILETIME* from, LPFILETIME to, long long seconds)
{
    if (!from || !to)
        return Fail();
    const long long ticks = static_cast<long long>(FileTimeTicks(*from)) + seconds * static_cast<long long>(kTicksPerSecond);
    if (ticks < 0)
        return Fail();
    *to = FileTimeFromTicks(static_cast<ULONGLONG>(ticks));
    return TRUE;
}

} // namespace

DWORD GetTickCount() { return static_cast<DWORD>(GetTickCount64()); }

ULONGLONG GetTickCount64()
{
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return static_cast<ULONGLONG>(now.tv_sec) * 1000 + static_cast<ULONGLONG>(now.tv_nsec) / 1000000;
}

SystemClock SetSystemClock(SystemClock clock)
{
    std::lock_guard guard(g_clockMutex);
    std::swap(g_clock, clock);
    return clock;
}

void GetSystemTimeAsFileTime(LPFILETIME time) { *time = FileTimeFromTicks(Now()); }

void GetSystemTime(LPSYSTEMTIME time) { *time = SystemTimeOf(Now()); }

void GetLocalTime(LPSYSTEMTIME time)
{
    const ULONGLONG now = Now();
    *time = SystemTimeOf(now + OffsetAt(now) * static_cast<long long>(kTicksPerSecond));
}

BOOL SystemTimeToFileTime(const SYSTEMTIME* system, LPFILETIME file)
{
    using namespace std::chrono;
    if (!system || !file)
        return Fail();
    const year_month_day date{year{system->wYear}, month{system->wMonth}, day{system->wDay}};
    if (system->wYear < 1601 || system->wYear > 30827 || !date.ok() || system->wHour > 23 || system->wMinute > 59 ||
        system->wSecond > 59 || system->wMilliseconds > 999)
        return Fail();
    const long long days = sys_days{date}.time_since_epoch().count() + kUnixEpochDays;
    const ULONGLONG ticks = static_cast<ULONGLONG>(days) * kTicksPerDay +
                            ((system->wHour * 60ULL + system->wMinute) * 60 + system->wSecond) * kTicksPerSecond +
                            system->wMilliseconds * 10000ULL;
    *file = FileTimeFromTicks(ticks);
    return TRUE;
}

BOOL FileTimeToSystemTime(const FILETIME* file, LPSYSTEMTIME system)
{
    if (!file || !system || FileTimeTicks(*file) > kLastTick)
        return Fail();
    *system = SystemTimeOf(FileTimeTicks(*file));
    return TRUE;
}

BOOL FileTimeToLocalFileTime(const FILETIME* utc, LPFILETIME local)
{
    return Shift(utc, local, utc ? OffsetAt(FileTimeTicks(*utc)) : 0);
}

BOOL LocalFileTimeToFileTime(const FILETIME* local, LPFILETIME utc)
{
    if (!local)
        return Fail();
    // The offset depends on the UTC instant being sought: guess it from the
    // local reading, then correct once across a change of offset.
    const ULONGLONG ticks = FileTimeTicks(*local);
    long long offset = OffsetAt(ticks);
    offset = OffsetAt(ticks - offset * static_cast<long long>(kTicksPerSecond));
    return Shift(local, utc, -offset);
}

LONG CompareFileTime(const FILETIME* first, const FILETIME* second)
{
    const ULONGLONG a = FileTimeTicks(*first);
    const ULONGLONG b = FileTimeTicks(*second);
    return a < b ? -1 : a > b ? 1 : 0;
}
