#include "processor/CWEMessageQueue.h"

#include "util/CriticalSectionLock.h"

void CWEMessageQueue::Push(const CWEMessageQueueItem& item)
{
    CriticalSectionLock lock(m_lock);
    m_items.push_back(item);
}

bool CWEMessageQueue::Pop(CWEMessageQueueItem& item)
{
    CriticalSectionLock lock(m_lock);
    if (m_items.empty())
        return false;
    item = m_items.front();
    m_items.pop_front();
    return true;
}

void CWEMessageQueue::Clear()
{
    CriticalSectionLock lock(m_lock);
    m_items.clear();
}

std::size_t CWEMessageQueue::Size()
{
    CriticalSectionLock lock(m_lock);
    return m_items.size();
}
