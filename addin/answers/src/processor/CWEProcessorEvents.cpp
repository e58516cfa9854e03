#include "processor/CWEProcessorEvents.h"

CWEProcessorEvents::CWEProcessorEvents()
{
    for (HANDLE& event : m_events)
        event = CreateEvent(nullptr, FALSE, FALSE, nullptr);
    m_hScanStarted = CreateEvent(nullptr, FALSE, FALSE, nullptr);
    m_hScanEnded = CreateEvent(nullptr, FALSE, FALSE, nullptr);
    m_hProcessorStarted = CreateEvent(nullptr, FALSE, FALSE, nullptr);
    m_hProcessorEnded = CreateEvent(nullptr, FALSE, FALSE, nullptr);
}

CWEProcessorEvents::~CWEProcessorEvents()
{
    CloseHandle(m_hProcessorEnded);
    CloseHandle(m_hProcessorStarted);
    CloseHandle(m_hScanEnded);
    CloseHandle(m_hScanStarted);
    for (int i = kCount - 1; i >= 0; --i)
        CloseHandle(m_events[i]);
}
