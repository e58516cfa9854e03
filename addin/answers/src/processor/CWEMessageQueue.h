#pragma once
// First in, first out list of messages waiting for the processor thread.
// Each call holds the queue's own lock for its one step only. A message is
// waiting at most once: the store tells of one delivery twice (new mail,
// object created), and the second look would only find it marked. For the
// same reason a message the processor takes from the other queue is
// withdrawn from this one.

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
    // The message no longer waits; false when it did not.
    bool Withdraw(const CZrEntryID& messageId);
    bool IsWaiting(const CZrEntryID& messageId);
    void Clear();
    std::size_t Size();

private:
    CCriticalSection m_lock;
    // In arrival order; an item whose id is no longer in m_waiting was
    // withdrawn and is skipped when it comes to the front.
    std::deque<CWEMessageQueueItem> m_items;
    // The message ids of the messages waiting, as bytes.
    std::set<std::string> m_waiting;
};
