#include "processor/CWEMessageQueue.h"

#include "util/CriticalSectionLock.h"

namespace {

std::string Key(const CZrEntryID& id)
{
    return std::string(reinterpret_cast<const char*>(id.Bytes()), id.Size());
}

}  // namespace

bool CWEMessageQueue::Push(const CWEMessageQueueItem& item)
{
    CriticalSectionLock lock(m_lock);
    if (!m_waiting.insert(Key(item.m_MessageId)).second)
        return false;
    m_items.push_back(item);
    return true;
}

bool CWEMessageQueue::Pop(CWEMessageQueueItem& item)
{
    CriticalSectionLock lock(m_lock);
    while (!m_items.empty()) {
        item = std::move(m_items.front());
        m_items.pop_front();
        if (m_waiting.erase(Key(item.m_MessageId)) > 0)
            return true;
    }
    return false;
}

bool CWEMessageQueue::Withdraw(const CZrEntryID& messageId)
{
    CriticalSectionLock lock(m_lock);
    return m_waiting.erase(Key(messageId)) > 0;
}

bool CWEMessageQueue::IsWaiting(const CZrEntryID& messageId)
{
    CriticalSectionLock lock(m_lock);
    return m_waiting.count(Key(messageId)) > 0;
}

void CWEMessageQueue::Clear()
{
    CriticalSectionLock lock(m_lock);
    m_items.clear();
    m_waiting.clear();
}

std::size_t CWEMessageQueue::Size()
{
    CriticalSectionLock lock(m_lock);
    return m_waiting.size();
}
