#include "win/SystemInfo.h"

#include "win/Errors.h"

#include <atomic>
#include <cstring>

namespace {

std::atomic<DWORD> g_major{5};
std::atomic<DWORD> g_minor{0};

} // namespace

BOOL GetVersionEx(LPOSVERSIONINFO information)
{
    if (!information || information->dwOSVersionInfoSize < sizeof(OSVERSIONINFO)) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    information->dwMajorVersion = g_major;
    information->dwMinorVersion = g_minor;
    information->dwBuildNumber = 0;
    information->dwPlatformId = VER_PLATFORM_WIN32_NT;
    std::memset(information->szCSDVersion, 0, sizeof information->szCSDVersion);
    return TRUE;
}

void SetReportedWindowsVersion(DWORD major, DWORD minor)
{
    g_major = major;
    g_minor = minor;
}
