#pragma once
// First in, first out list of messages waiting for the processor thread.
// Each call holds the queue's own lock for its one step only.

#include "zr/CZrEntryID.h"

#include "win/CCriticalSection.h"

#include <deque>

class CWEMessageQueueItem {
public:
    CZrEntryID m_StoreId;
    CZrEntryID m_MessageId;
};

class CWEMessageQueue {
public:
    void Push(const CWEMessageQueueItem& item);
    // Copies the head out and removes it; false when the queue is empty.
    bool Pop(CWEMessageQueueItem& item);
    void Clear();
    std::size_t Size();

private:
    CCriticalSection m_lock;
    std::deque<CWEMessageQueueItem> m_items;
};
