#pragma once
// Starting programs and opening documents. Every launch goes through one
// hook, so tests can record what would have been started instead of
// starting it; without a hook the program runs through posix_spawn with its
// arguments as separate words, and "open" of a document or URL runs
// xdg-open.

#include "win/Errors.h"
#include "win/Types.h"

#include <functional>
#include <string>
#include <vector>

inline constexpr INT SW_HIDE = 0;
inline constexpr INT SW_SHOWNORMAL = 1;
inline constexpr INT SW_NORMAL = 1;
inline constexpr INT SW_SHOWMINIMIZED = 2;
inline constexpr INT SW_SHOWMAXIMIZED = 3;
inline constexpr INT SW_SHOW = 5;

inline constexpr DWORD STARTF_USESHOWWINDOW = 0x00000001;

struct STARTUPINFO {
    DWORD cb;
    LPSTR lpReserved;
    LPSTR lpDesktop;
    LPSTR lpTitle;
    DWORD dwX;
    DWORD dwY;
    DWORD dwXSize;
    DWORD dwYSize;
    DWORD dwXCountChars;
    DWORD dwYCountChars;
    DWORD dwFillAttribute;
    DWORD dwFlags;
    WORD wShowWindow;
    WORD cbReserved2;
    LPBYTE lpReserved2;
    HANDLE hStdInput;
    HANDLE hStdOutput;
    HANDLE hStdError;
};
using LPSTARTUPINFO = STARTUPINFO*;

struct PROCESS_INFORMATION {
    HANDLE hProcess;
    HANDLE hThread;
    DWORD dwProcessId;
    DWORD dwThreadId;
};
using LPPROCESS_INFORMATION = PROCESS_INFORMATION*;

// One launch as the caller asked for it.
struct ShellLaunch {
    enum class Kind { ShellExecute, CreateProcess, WinExec };
    Kind kind = Kind::ShellExecute;
    std::string verb;                   // ShellExecute only; empty for a null verb
    std::string file;                   // the program, document or URL
    std::string parameters;             // the parameter text exactly as given
    std::string directory;              // empty: the current folder
    std::vector<std::string> arguments; // the words the program receives after its name
    INT showCommand = SW_SHOWNORMAL;
};

// Returns ERROR_SUCCESS when the launch counts as done, else a Win32 error
// that the calling function reports in its own way.
using ShellLaunchHook = std::function<DWORD(const ShellLaunch& launch)>;

// Installs a hook for every following launch and returns the one it
// replaces; an empty hook restores real launching.
ShellLaunchHook SetShellLaunchHook(ShellLaunchHook hook);

// Returns a value above 32 on success, else the error (SE_ERR_*) as on
// Windows.
HINSTANCE ShellExecute(HWND owner, LPCSTR verb, LPCSTR file, LPCSTR parameters, LPCSTR directory, INT showCommand);

// The command line is split into words as the Windows C runtime splits it
// (quotes group, backslashes escape quotes). The process handle is waitable
// and must be closed with CloseHandle; no thread handle is given.
BOOL CreateProcess(LPCSTR applicationName, LPSTR commandLine, LPSECURITY_ATTRIBUTES processAttributes,
                   LPSECURITY_ATTRIBUTES threadAttributes, BOOL inheritHandles, DWORD creationFlags,
                   LPVOID environment, LPCSTR currentDirectory, LPSTARTUPINFO startupInfo,
                   LPPROCESS_INFORMATION processInformation);
void GetStartupInfo(LPSTARTUPINFO startupInfo);

// Returns a value above 31 on success.
UINT WinExec(LPCSTR commandLine, UINT showCommand);

inline constexpr UINT SE_ERR_FNF = 2;
inline constexpr UINT SE_ERR_PNF = 3;
inline constexpr UINT SE_ERR_ACCESSDENIED = 5;
inline constexpr UINT SE_ERR_OOM = 8;
inline constexpr UINT SE_ERR_NOASSOC = 31;
