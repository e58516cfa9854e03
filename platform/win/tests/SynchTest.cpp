// Events, waits, threads and critical sections.

#include "KernelObject.h"
#include "win/Thread.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <vector>

namespace {

std::vector<HANDLE> MakeEvents(int count, BOOL manualReset)
{
    std::vector<HANDLE> events;
    for (int i = 0; i < count; ++i)
        events.push_back(CreateEvent(nullptr, manualReset, FALSE, nullptr));
    return events;
}

void CloseAll(const std::vector<HANDLE>& handles)
{
    for (HANDLE handle : handles)
        EXPECT_TRUE(CloseHandle(handle));
}

DWORD SetAfterPause(LPVOID event)
{
    Sleep(30);
    SetEvent(static_cast<HANDLE>(event));
    return 0;
}

// The event that the pending-signals source sets, as a source outside the
// process would set it on a thread of its own some time later.
HANDLE g_pendingEvent = nullptr;

void SignalPendingEvent()
{
    SetEvent(g_pendingEvent);
}

} // namespace

TEST(SynchTest, AWaitTakesInPendingSignalsBeforeItLooks)
{
    g_pendingEvent = CreateEvent(nullptr, FALSE, FALSE, nullptr);
    HANDLE other = CreateEvent(nullptr, FALSE, FALSE, nullptr);
    KernelObject::SetPendingSignals(&SignalPendingEvent);
    EXPECT_EQ(WAIT_OBJECT_0 + 1, WaitForMultipleObjects(2, std::vector<HANDLE>{other, g_pendingEvent}.data(), FALSE, 0));
    EXPECT_EQ(WAIT_OBJECT_0, WaitForSingleObject(g_pendingEvent, 0));
    KernelObject::SetPendingSignals(nullptr);
    EXPECT_EQ(WAIT_TIMEOUT, WaitForSingleObject(g_pendingEvent, 0));
    CloseHandle(other);
    CloseHandle(g_pendingEvent);
}

TEST(SynchTest, AutoResetEventLetsOneWaitThroughPerSignal)
{
    HANDLE event = CreateEvent(nullptr, FALSE, FALSE, nullptr);
    EXPECT_EQ(WAIT_TIMEOUT, WaitForSingleObject(event, 0));
    ASSERT_TRUE(SetEvent(event));
    ASSERT_TRUE(SetEvent(event)); // signals do not add up
    EXPECT_EQ(WAIT_OBJECT_0, WaitForSingleObject(event, 0));
    EXPECT_EQ(WAIT_TIMEOUT, WaitForSingleObject(event, 0));
    SetEvent(event);
    ResetEvent(event);
    EXPECT_EQ(WAIT_TIMEOUT, WaitForSingleObject(event, 0));
    CloseHandle(event);
}

TEST(SynchTest, ManualResetEventStaysSignalledUntilReset)
{
    HANDLE event = CreateEvent(nullptr, TRUE, TRUE, nullptr);
    EXPECT_EQ(WAIT_OBJECT_0, WaitForSingleObject(event, 0));
    EXPECT_EQ(WAIT_OBJECT_0, WaitForSingleObject(event, INFINITE));
    ResetEvent(event);
    EXPECT_EQ(WAIT_TIMEOUT, WaitForSingleObject(event, 0));
    CloseHandle(event);
}

TEST(SynchTest, WaitAnyTakesTheLowestSignalledIndexOnly)
{
    auto events = MakeEvents(5, FALSE);
    SetEvent(events[3]);
    SetEvent(events[1]);
    EXPECT_EQ(WAIT_OBJECT_0 + 1, WaitForMultipleObjects(5, events.data(), FALSE, INFINITE));
    EXPECT_EQ(WAIT_OBJECT_0 + 3, WaitForMultipleObjects(5, events.data(), FALSE, 0));
    EXPECT_EQ(WAIT_TIMEOUT, WaitForMultipleObjects(5, events.data(), FALSE, 0));
    CloseAll(events);
}

TEST(SynchTest, WaitAllTakesNothingUntilEverythingIsSignalled)
{
    auto events = MakeEvents(2, FALSE);
    SetEvent(events[0]);
    EXPECT_EQ(WAIT_TIMEOUT, WaitForMultipleObjects(2, events.data(), TRUE, 10));
    EXPECT_EQ(WAIT_OBJECT_0, WaitForSingleObject(events[0], 0)) << "a failed wait-all must leave the signal";
    SetEvent(events[0]);
    SetEvent(events[1]);
    EXPECT_EQ(WAIT_OBJECT_0, WaitForMultipleObjects(2, events.data(), TRUE, 0));
    EXPECT_EQ(WAIT_TIMEOUT, WaitForMultipleObjects(2, events.data(), FALSE, 0));
    CloseAll(events);
}

TEST(SynchTest, WaitsWakeOnSignalsFromOtherThreadsAndTimeOut)
{
    HANDLE event = CreateEvent(nullptr, FALSE, FALSE, nullptr);
    const auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(WAIT_TIMEOUT, WaitForSingleObject(event, 40));
    EXPECT_GE(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(40));

    HANDLE thread = CreateThread(nullptr, 0, SetAfterPause, event, 0, nullptr);
    ASSERT_NE(nullptr, thread);
    EXPECT_EQ(WAIT_OBJECT_0, WaitForSingleObject(event, INFINITE));
    EXPECT_EQ(WAIT_OBJECT_0, WaitForSingleObject(thread, INFINITE));
    CloseHandle(thread);
    CloseHandle(event);
}

TEST(SynchTest, ThreadsHaveIdsHandlesAndExitCodes)
{
    static std::atomic<DWORD> seenId{0};
    HANDLE gate = CreateEvent(nullptr, TRUE, FALSE, nullptr);
    DWORD id = 0;
    HANDLE thread = CreateThread(
        nullptr, 0,
        [](LPVOID gate) -> DWORD {
            seenId = GetCurrentThreadId();
            WaitForSingleObject(static_cast<HANDLE>(gate), INFINITE);
            return 7;
        },
        gate, 0, &id);
    ASSERT_NE(nullptr, thread);
    DWORD code = 0;
    ASSERT_TRUE(GetExitCodeThread(thread, &code));
    EXPECT_EQ(STILL_ACTIVE, code);
    EXPECT_EQ(WAIT_TIMEOUT, WaitForSingleObject(thread, 0));
    SetEvent(gate);
    EXPECT_EQ(WAIT_OBJECT_0, WaitForSingleObject(thread, INFINITE));
    EXPECT_EQ(WAIT_OBJECT_0, WaitForSingleObject(thread, 0)) << "an ended thread stays signalled";
    ASSERT_TRUE(GetExitCodeThread(thread, &code));
    EXPECT_EQ(7u, code);
    EXPECT_NE(0u, id);
    EXPECT_EQ(id, seenId.load());
    EXPECT_NE(id, GetCurrentThreadId());
    EXPECT_NE(0u, GetCurrentThreadId());
    CloseHandle(thread);
    CloseHandle(gate);
}

TEST(SynchTest, BadHandlesAndArgumentsFail)
{
    HANDLE event = CreateEvent(nullptr, FALSE, FALSE, nullptr);
    ASSERT_TRUE(CloseHandle(event));
    EXPECT_FALSE(CloseHandle(event));
    EXPECT_EQ(ERROR_INVALID_HANDLE, GetLastError());
    EXPECT_EQ(WAIT_FAILED, WaitForSingleObject(event, 0));
    EXPECT_FALSE(SetEvent(event));
    HANDLE none[1] = {nullptr};
    EXPECT_EQ(WAIT_FAILED, WaitForMultipleObjects(0, none, FALSE, 0));
    EXPECT_EQ(ERROR_INVALID_PARAMETER, GetLastError());

    HANDLE once = CreateEvent(nullptr, FALSE, TRUE, nullptr);
    HANDLE twice[2] = {once, once};
    EXPECT_EQ(WAIT_FAILED, WaitForMultipleObjects(2, twice, TRUE, 0)) << "one signal cannot count for two";
    EXPECT_EQ(ERROR_INVALID_PARAMETER, GetLastError());
    EXPECT_EQ(WAIT_OBJECT_0, WaitForMultipleObjects(2, twice, FALSE, 0));
    CloseHandle(once);
}

TEST(SynchTest, CriticalSectionExcludesOtherThreadsButNotItsOwner)
{
    static CRITICAL_SECTION section;
    static int counter = 0;
    InitializeCriticalSection(&section);
    auto work = [](LPVOID) -> DWORD {
        for (int i = 0; i < 20000; ++i) {
            EnterCriticalSection(&section);
            EnterCriticalSection(&section);
            ++counter;
            LeaveCriticalSection(&section);
            LeaveCriticalSection(&section);
        }
        return 0;
    };
    HANDLE threads[2] = {CreateThread(nullptr, 0, work, nullptr, 0, nullptr),
                         CreateThread(nullptr, 0, work, nullptr, 0, nullptr)};
    EXPECT_EQ(WAIT_OBJECT_0, WaitForMultipleObjects(2, threads, TRUE, INFINITE));
    EXPECT_EQ(40000, counter);
    CloseHandle(threads[0]);
    CloseHandle(threads[1]);
    DeleteCriticalSection(&section);
}

TEST(SynchTest, SleepGoesThroughTheHook)
{
    std::vector<DWORD> pauses;
    SetSleepHook([&](DWORD milliseconds) { pauses.push_back(milliseconds); });
    Sleep(500);
    Sleep(60000);
    SetSleepHook({});
    EXPECT_EQ((std::vector<DWORD>{500, 60000}), pauses);
}
