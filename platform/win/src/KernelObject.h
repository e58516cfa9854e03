#pragma once
// Something a thread can wait for. All kernel objects share one lock and one
// condition, which keeps waits on several objects at once simple and free
// of lost wake-ups; every change of state happens under that lock and wakes
// all waiters.

#include "win/Types.h"

#include <condition_variable>
#include <mutex>

class KernelObject {
public:
    virtual ~KernelObject() = default;

    // Both are called with Lock() held.
    virtual bool IsSignalled() const = 0;
    // Takes the signal for a waiter that succeeded (auto-reset events).
    virtual void Take() {}

    static std::mutex& Lock();
    static std::condition_variable& Changed();

    // Signals that come from outside the process (another process's change
    // of the registry) reach their events through a thread of their own;
    // a wait first calls the source set here, so that what has happened
    // before the wait is signalled for it. Called without Lock() held.
    using PendingSignals = void (*)();
    static void SetPendingSignals(PendingSignals source);
    static void TakeInPendingSignals();
};
