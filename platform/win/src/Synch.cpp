#include "win/Synch.h"

#include "EventObject.h"
#include "HandleTable.h"

#include <algorithm>
#include <chrono>
#include <thread>
#include <vector>

namespace {

std::shared_ptr<EventObject> FindEvent(HANDLE handle)
{
    auto event = std::dynamic_pointer_cast<EventObject>(HandleTable::Find(handle));
    if (!event)
        SetLastError(ERROR_INVALID_HANDLE);
    return event;
}

BOOL SignalEvent(HANDLE handle, bool on)
{
    auto event = FindEvent(handle);
    if (!event)
        return FALSE;
    {
        std::lock_guard guard(KernelObject::Lock());
        event->Signal(on);
    }
    KernelObject::Changed().notify_all();
    return TRUE;
}

// Waits under the shared lock until ready() finds what it needs or the time
// runs out; ready() takes the signals it consumes.
DWORD WaitUntil(DWORD milliseconds, const std::function<bool(DWORD&)>& ready)
{
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(milliseconds);
    std::unique_lock lock(KernelObject::Lock());
    for (;;) {
        DWORD result = WAIT_TIMEOUT;
        if (ready(result))
            return result;
        if (milliseconds == 0)
            return WAIT_TIMEOUT;
        if (milliseconds == INFINITE)
            KernelObject::Changed().wait(lock);
        else if (KernelObject::Changed().wait_until(lock, deadline) == std::cv_status::timeout)
            return ready(result) ? result : WAIT_TIMEOUT;
    }
}

std::mutex g_sleepMutex;
SleepHook g_sleepHook;

} // namespace

HANDLE CreateEvent(LPSECURITY_ATTRIBUTES, BOOL manualReset, BOOL initialState, LPCSTR)
{
    return HandleTable::Add(std::make_shared<EventObject>(manualReset != FALSE, initialState != FALSE));
}

BOOL SetEvent(HANDLE event) { return SignalEvent(event, true); }

BOOL ResetEvent(HANDLE event) { return SignalEvent(event, false); }

BOOL CloseHandle(HANDLE object) { return HandleTable::Close(object) ? TRUE : FALSE; }

DWORD WaitForSingleObject(HANDLE object, DWORD milliseconds)
{
    return WaitForMultipleObjects(1, &object, FALSE, milliseconds);
}

DWORD WaitForMultipleObjects(DWORD count, const HANDLE* objects, BOOL waitAll, DWORD milliseconds)
{
    if (count == 0 || count > MAXIMUM_WAIT_OBJECTS || !objects) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return WAIT_FAILED;
    }
    std::vector<std::shared_ptr<KernelObject>> waited;
    for (DWORD i = 0; i < count; ++i) {
        waited.push_back(HandleTable::Find(objects[i]));
        if (!waited.back())
            return WAIT_FAILED;
        // Waiting for all of a list that names one object twice would take
        // one signal for two.
        if (waitAll && std::find(objects, objects + i, objects[i]) != objects + i) {
            SetLastError(ERROR_INVALID_PARAMETER);
            return WAIT_FAILED;
        }
    }
    KernelObject::TakeInPendingSignals();
    return WaitUntil(milliseconds, [&](DWORD& result) {
        if (waitAll) {
            for (const auto& object : waited)
                if (!object->IsSignalled())
                    return false;
            for (const auto& object : waited)
                object->Take();
            result = WAIT_OBJECT_0;
            return true;
        }
        for (DWORD i = 0; i < count; ++i) {
            if (waited[i]->IsSignalled()) {
                waited[i]->Take();
                result = WAIT_OBJECT_0 + i;
                return true;
            }
        }
        return false;
    });
}

SleepHook SetSleepHook(SleepHook hook)
{
    std::lock_guard guard(g_sleepMutex);
    std::swap(g_sleepHook, hook);
    return hook;
}

void Sleep(DWORD milliseconds)
{
    SleepHook hook;
    {
        std::lock_guard guard(g_sleepMutex);
        hook = g_sleepHook;
    }
    if (hook)
        hook(milliseconds);
    else
        std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds));
}

void InitializeCriticalSection(LPCRITICAL_SECTION) {}

void EnterCriticalSection(LPCRITICAL_SECTION section) { section->mutex.lock(); }

BOOL TryEnterCriticalSection(LPCRITICAL_SECTION section) { return section->mutex.try_lock() ? TRUE : FALSE; }

void LeaveCriticalSection(LPCRITICAL_SECTION section) { section->mutex.unlock(); }

void DeleteCriticalSection(LPCRITICAL_SECTION) {}
