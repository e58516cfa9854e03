#pragma once
// What the system says about itself. There is no Windows version on Linux;
// the reported one is 5.0, which counts as a system without visual themes,
// and tests may report another.

#include "win/Types.h"

struct OSVERSIONINFO {
    DWORD dwOSVersionInfoSize;
    DWORD dwMajorVersion;
    DWORD dwMinorVersion;
    DWORD dwBuildNumber;
    DWORD dwPlatformId;
    CHAR szCSDVersion[128];
};
using LPOSVERSIONINFO = OSVERSIONINFO*;

inline constexpr DWORD VER_PLATFORM_WIN32_NT = 2;

// Fails with ERROR_INVALID_PARAMETER unless dwOSVersionInfoSize is set.
BOOL GetVersionEx(LPOSVERSIONINFO information);
// Not a Windows function: the version GetVersionEx reports from now on.
void SetReportedWindowsVersion(DWORD major, DWORD minor);
