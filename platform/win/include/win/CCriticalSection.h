#pragma once
// The framework's lock object over a critical section: Lock and Unlock, the
// owner may lock again.

#include "win/Synch.h"

class CCriticalSection {
public:
    CCriticalSection() { InitializeCriticalSection(&m_section); }
    ~CCriticalSection() { DeleteCriticalSection(&m_section); }
    CCriticalSection(const CCriticalSection&) = delete;
    CCriticalSection& operator=(const CCriticalSection&) = delete;

    BOOL Lock()
    {
        EnterCriticalSection(&m_section);
        return TRUE;
    }
    BOOL Unlock()
    {
        LeaveCriticalSection(&m_section);
        return TRUE;
    }

private:
    CRITICAL_SECTION m_section;
};
