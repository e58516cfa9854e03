#pragma once
// Kernel objects that threads wait on (events, threads, processes), their
// handles, and critical sections.

#include "win/Errors.h"
#include "win/Types.h"

#include <functional>
#include <mutex>

inline constexpr DWORD WAIT_OBJECT_0 = 0;
inline constexpr DWORD WAIT_ABANDONED = 0x80;
inline constexpr DWORD WAIT_FAILED = 0xFFFFFFFF;
inline constexpr DWORD MAXIMUM_WAIT_OBJECTS = 64;

// An auto-reset event (manualReset FALSE) lets one wait through per signal
// and resets itself; a manual-reset event stays signalled until ResetEvent.
HANDLE CreateEvent(LPSECURITY_ATTRIBUTES attributes, BOOL manualReset, BOOL initialState, LPCSTR name);
BOOL SetEvent(HANDLE event);
BOOL ResetEvent(HANDLE event);
BOOL CloseHandle(HANDLE object);

// A wait that succeeds takes what it waited for: an auto-reset event is
// reset by it, even with a zero timeout. Waiting for any object returns the
// lowest signalled index and takes only that object; waiting for all
// returns once every object is signalled at the same moment and takes them
// all.
DWORD WaitForSingleObject(HANDLE object, DWORD milliseconds);
DWORD WaitForMultipleObjects(DWORD count, const HANDLE* objects, BOOL waitAll, DWORD milliseconds);

// Sleep goes through a hook when one is set, so tests need not wait out
// pauses; SetSleepHook returns the hook it replaces.
using SleepHook = std::function<void(DWORD milliseconds)>;
SleepHook SetSleepHook(SleepHook hook);
void Sleep(DWORD milliseconds);

// Recursive, like its namesake: the owning thread may enter again.
struct CRITICAL_SECTION {
    std::recursive_mutex mutex;
};
using LPCRITICAL_SECTION = CRITICAL_SECTION*;

void InitializeCriticalSection(LPCRITICAL_SECTION section);
void EnterCriticalSection(LPCRITICAL_SECTION section);
BOOL TryEnterCriticalSection(LPCRITICAL_SECTION section);
void LeaveCriticalSection(LPCRITICAL_SECTION section);
void DeleteCriticalSection(LPCRITICAL_SECTION section);
