#pragma once
// Holds a critical section for the life of a scope, so that every way out
// releases it.

#include "win/CCriticalSection.h"

class CriticalSectionLock {
public:
    explicit CriticalSectionLock(CCriticalSection& section) : m_section(section) { m_section.Lock(); }
    ~CriticalSectionLock() { m_section.Unlock(); }
    CriticalSectionLock(const CriticalSectionLock&) = delete;
    CriticalSectionLock& operator=(const CriticalSectionLock&) = delete;

private:
    CCriticalSection& m_section;
};
