#pragma once
// The events through which the add-in, the detectors and the processor
// thread talk: all auto-reset, made not signalled, living as long as their
// owner.

#include "win/Synch.h"

class CWEProcessorEvents {
public:
    enum Index {
        kQuit = 0,
        kItemQueued = 1,
        kScanEnded = 2,
        kPause = 3,
        kResume = 4,
        kPausedAck = 5,
        kStopScan = 6,
        kCount = 7,
    };

    CWEProcessorEvents();
    ~CWEProcessorEvents();
    CWEProcessorEvents(const CWEProcessorEvents&) = delete;
    CWEProcessorEvents& operator=(const CWEProcessorEvents&) = delete;

    HANDLE operator[](int index) const { return m_events[index]; }
    const HANDLE* Data() const { return m_events; }
    void Set(int index) const { SetEvent(m_events[index]); }
    void Reset(int index) const { ResetEvent(m_events[index]); }
    // Takes the event when it is signalled, without waiting.
    bool Test(int index) const { return WaitForSingleObject(m_events[index], 0) == WAIT_OBJECT_0; }

    // Set by each thread once it has started (whatever the outcome) and
    // once it has ended.
    HANDLE m_hScanStarted;
    HANDLE m_hScanEnded;
    HANDLE m_hProcessorStarted;
    HANDLE m_hProcessorEnded;

private:
    HANDLE m_events[kCount];
};
