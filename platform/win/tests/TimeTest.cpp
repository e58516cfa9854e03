// FILETIME and SYSTEMTIME conversions and the clocks.

#include "win/Errors.h"
#include "win/Synch.h"
#include "win/Time.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <ctime>

namespace {

// 2006-11-10 12:34:56.789 UTC, a Friday.
constexpr ULONGLONG kReleaseTicks = 116444736000000000ULL + 1163162096ULL * 10000000ULL + 7890000ULL;

class ZoneGuard {
public:
    explicit ZoneGuard(const char* zone)
    {
        setenv("TZ", zone, 1);
        tzset();
    }
    ~ZoneGuard()
    {
        unsetenv("TZ");
        tzset();
    }
};

} // namespace

TEST(TimeTest, SystemTimeAndFileTimeConvertBothWays)
{
    SYSTEMTIME system{2006, 11, 0, 10, 12, 34, 56, 789};
    FILETIME file{};
    ASSERT_TRUE(SystemTimeToFileTime(&system, &file));
    EXPECT_EQ(kReleaseTicks, FileTimeTicks(file));

    SYSTEMTIME back{};
    ASSERT_TRUE(FileTimeToSystemTime(&file, &back));
    EXPECT_EQ(2006, back.wYear);
    EXPECT_EQ(11, back.wMonth);
    EXPECT_EQ(10, back.wDay);
    EXPECT_EQ(5, back.wDayOfWeek);
    EXPECT_EQ(12, back.wHour);
    EXPECT_EQ(34, back.wMinute);
    EXPECT_EQ(56, back.wSecond);
    EXPECT_EQ(789, back.wMilliseconds);

    FILETIME origin{0, 0};
    ASSERT_TRUE(FileTimeToSystemTime(&origin, &back));
    EXPECT_EQ(1601, back.wYear);
    EXPECT_EQ(1, back.wDayOfWeek);
    SYSTEMTIME leap{2024, 2, 0, 29, 0, 0, 0, 0};
    ASSERT_TRUE(SystemTimeToFileTime(&leap, &file));
    ASSERT_TRUE(FileTimeToSystemTime(&file, &back));
    EXPECT_EQ(29, back.wDay);
}

TEST(TimeTest, FieldsOutOfRangeAreRefused)
{
    FILETIME file{};
    for (SYSTEMTIME bad : {SYSTEMTIME{2023, 2, 0, 29, 0, 0, 0, 0}, SYSTEMTIME{2023, 13, 0, 1, 0, 0, 0, 0},
                           SYSTEMTIME{1600, 12, 0, 31, 0, 0, 0, 0}, SYSTEMTIME{2023, 1, 0, 1, 24, 0, 0, 0},
                           SYSTEMTIME{2023, 1, 0, 1, 0, 0, 0, 1000}}) {
        SetLastError(0);
        EXPECT_FALSE(SystemTimeToFileTime(&bad, &file));
        EXPECT_EQ(ERROR_INVALID_PARAMETER, GetLastError());
    }
    FILETIME tooLate{0xFFFFFFFF, 0xFFFFFFFF};
    SYSTEMTIME system{};
    EXPECT_FALSE(FileTimeToSystemTime(&tooLate, &system));
}

TEST(TimeTest, LocalTimeUsesTheOffsetOfTheInstant)
{
    ZoneGuard zone("CET-1CEST,M3.5.0,M10.5.0/3");
    SYSTEMTIME summer{2006, 7, 0, 1, 10, 0, 0, 0};
    SYSTEMTIME winter{2006, 12, 0, 1, 10, 0, 0, 0};
    for (auto [utc, hour] : {std::pair{summer, 12}, std::pair{winter, 11}}) {
        FILETIME file{}, local{}, again{};
        ASSERT_TRUE(SystemTimeToFileTime(&utc, &file));
        ASSERT_TRUE(FileTimeToLocalFileTime(&file, &local));
        SYSTEMTIME shown{};
        FileTimeToSystemTime(&local, &shown);
        EXPECT_EQ(hour, shown.wHour);
        ASSERT_TRUE(LocalFileTimeToFileTime(&local, &again));
        EXPECT_EQ(0, CompareFileTime(&file, &again));
    }
}

TEST(TimeTest, SystemClockCanBeFixed)
{
    SetSystemClock([] { return kReleaseTicks; });
    FILETIME now{};
    GetSystemTimeAsFileTime(&now);
    SYSTEMTIME system{};
    GetSystemTime(&system);
    SetSystemClock({});
    EXPECT_EQ(kReleaseTicks, FileTimeTicks(now));
    EXPECT_EQ(2006, system.wYear);

    GetSystemTimeAsFileTime(&now);
    EXPECT_GT(FileTimeTicks(now), kReleaseTicks);
}

TEST(TimeTest, TickCountAdvancesWithRealTime)
{
    const ULONGLONG before = GetTickCount64();
    Sleep(25);
    EXPECT_GE(GetTickCount64() - before, 25u);
    EXPECT_EQ(static_cast<DWORD>(GetTickCount64()) / 1000, GetTickCount() / 1000);
}
