#include "win/Thread.h"

#include "FinishingObject.h"
#include "HandleTable.h"

#include <atomic>
#include <thread>
#include <unistd.h>

namespace {

std::atomic<DWORD> g_lastThreadId{0};
thread_local DWORD t_threadId = 0;

DWORD NewThreadId() { return ++g_lastThreadId; }

BOOL ExitCodeOf(HANDLE handle, LPDWORD exitCode)
{
    auto object = std::dynamic_pointer_cast<FinishingObject>(HandleTable::Find(handle));
    if (!object || !exitCode) {
        SetLastError(object ? ERROR_INVALID_PARAMETER : ERROR_INVALID_HANDLE);
        return FALSE;
    }
    std::lock_guard guard(KernelObject::Lock());
    *exitCode = object->ExitCode();
    return TRUE;
}

} // namespace

HANDLE CreateThread(LPSECURITY_ATTRIBUTES, size_t, LPTHREAD_START_ROUTINE start, LPVOID parameter, DWORD creationFlags,
                    LPDWORD threadId)
{
    if (!start || creationFlags != 0) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    auto thread = std::make_shared<FinishingObject>();
    const DWORD id = NewThreadId();
    try {
        std::thread([thread, start, parameter, id] {
            t_threadId = id;
            const DWORD exitCode = start(parameter);
            {
                std::lock_guard guard(KernelObject::Lock());
                thread->Finish(exitCode);
            }
            KernelObject::Changed().notify_all();
        }).detach();
    } catch (const std::system_error&) {
        SetLastError(ERROR_NOT_ENOUGH_MEMORY);
        return nullptr;
    }
    if (threadId)
        *threadId = id;
    return HandleTable::Add(thread);
}

BOOL GetExitCodeThread(HANDLE thread, LPDWORD exitCode) { return ExitCodeOf(thread, exitCode); }

BOOL GetExitCodeProcess(HANDLE process, LPDWORD exitCode) { return ExitCodeOf(process, exitCode); }

DWORD GetCurrentThreadId()
{
    if (!t_threadId)
        t_threadId = NewThreadId();
    return t_threadId;
}

DWORD GetCurrentProcessId() { return static_cast<DWORD>(getpid()); }
