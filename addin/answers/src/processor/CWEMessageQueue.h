#pragma once
// First in, first out list of messages waiting for the processor thread.
// Each call holds the queue's own lock for its one step only. A message is
// waiting at most once: the store tells of one delivery twice (new mail,
// object created), and the second look would only find it marked.

#include "zr/CZrEntryID.h"

#include "win/CCriticalSection.h"

#include <deque>
#include <set>
#include <string>

class CWEMessageQueueItem {
public:
    CZrEntryID m_StoreId;
    CZrEntryID m_MessageId;
};

class CWEMessageQueue {
public:
    // False, and nothing added, when the message already waits.
    bool Push(const CWEMessageQueueItem& item);
    // Copies the head out and removes it; false when the queue is empty.
    bool Pop(CWEMessageQueueItem& item);
    void Clear();
    std::size_t Size();

private:
    CCriticalSection m_lock;
    std::deque<CWEMessageQueueItem> m_items;
    // The message ids of m_items, as bytes.
    std::set<std::string> m_waiting;
};
