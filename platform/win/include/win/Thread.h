#pragma once
// Threads with handles (waitable; signalled when the thread ends) and ids.

#include "win/Synch.h"

using LPTHREAD_START_ROUTINE = DWORD (*)(LPVOID parameter);

inline constexpr DWORD STILL_ACTIVE = 259;

// Starts the routine on a new thread at once; creation flags are not
// supported and must be 0.
HANDLE CreateThread(LPSECURITY_ATTRIBUTES attributes, size_t stackSize, LPTHREAD_START_ROUTINE start, LPVOID parameter,
                    DWORD creationFlags, LPDWORD threadId);
BOOL GetExitCodeThread(HANDLE thread, LPDWORD exitCode);
BOOL GetExitCodeProcess(HANDLE process, LPDWORD exitCode);

// Never 0, so callers may use 0 for "no thread".
DWORD GetCurrentThreadId();
DWORD GetCurrentProcessId();
