#pragma once
// Clock readings and conversions between FILETIME (100 ns ticks since
// 1601-01-01 UTC) and SYSTEMTIME (calendar fields).

#include "win/Types.h"

#include <functional>

// Milliseconds since an arbitrary start, wrapping after 49.7 days.
DWORD GetTickCount();
ULONGLONG GetTickCount64();

// The wall clock is replaceable so tests can fix "now"; the clock returns
// FILETIME ticks. SetSystemClock returns the clock it replaces; an empty
// clock restores the real one.
using SystemClock = std::function<ULONGLONG()>;
SystemClock SetSystemClock(SystemClock clock);

void GetSystemTimeAsFileTime(LPFILETIME time);
void GetSystemTime(LPSYSTEMTIME time);
void GetLocalTime(LPSYSTEMTIME time);

// Fail with ERROR_INVALID_PARAMETER for fields or ticks out of range.
BOOL SystemTimeToFileTime(const SYSTEMTIME* system, LPFILETIME file);
BOOL FileTimeToSystemTime(const FILETIME* file, LPSYSTEMTIME system);

// Local time uses the zone's offset at the instant converted (daylight
// saving included), not the offset of today.
BOOL FileTimeToLocalFileTime(const FILETIME* utc, LPFILETIME local);
BOOL LocalFileTimeToFileTime(const FILETIME* local, LPFILETIME utc);

LONG CompareFileTime(const FILETIME* first, const FILETIME* second);

// Helpers for code that does arithmetic on FILETIME values.
constexpr ULONGLONG FileTimeTicks(const FILETIME& time)
{
    return (static_cast<ULONGLONG>(time.dwHighDateTime) << 32) | time.dwLowDateTime;
}
constexpr FILETIME FileTimeFromTicks(ULONGLONG ticks)
{
    return FILETIME{static_cast<DWORD>(ticks), static_cast<DWORD>(ticks >> 32)};
}
