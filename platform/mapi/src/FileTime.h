#pragma once
// FILETIME ticks (100 ns since 1601, UTC) as one 64-bit number.

#include "win/Types.h"

#include <ctime>

namespace pollenta::mapi {

inline constexpr LONGLONG kUnixEpochTicks = 116444736000000000LL;

LONGLONG NowFileTime();
inline LONGLONG FileTimeFromUnix(std::time_t seconds) { return kUnixEpochTicks + static_cast<LONGLONG>(seconds) * 10000000LL; }
inline std::time_t UnixFromFileTime(LONGLONG ticks) { return static_cast<std::time_t>((ticks - kUnixEpochTicks) / 10000000LL); }

}  // namespace pollenta::mapi
