// The queue between the detectors and the processor thread: first in,
// first out, each waiting message once.

#include "processor/CWEMessageQueue.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

CWEMessageQueueItem Item(const char* messageHex, const char* storeHex = "5354")
{
    CWEMessageQueueItem item;
    item.m_StoreId.SetHex(storeHex);
    item.m_MessageId.SetHex(messageHex);
    return item;
}

std::vector<std::string> PopAll(CWEMessageQueue& queue)
{
    std::vector<std::string> taken;
    for (CWEMessageQueueItem item; queue.Pop(item);)
        taken.emplace_back(reinterpret_cast<const char*>(item.m_MessageId.Bytes()), item.m_MessageId.Size());
    return taken;
}

TEST(MessageQueueTest, AMessageToldTwiceWhileItWaitsIsTakenOnceInTheOrderFirstTold)
{
    CWEMessageQueue queue;
    EXPECT_TRUE(queue.Push(Item("0A01")));
    EXPECT_TRUE(queue.Push(Item("0A02")));
    EXPECT_FALSE(queue.Push(Item("0A01")));
    // A longer id that starts with the same bytes is another message.
    EXPECT_TRUE(queue.Push(Item("0A0100")));
    EXPECT_EQ(3u, queue.Size());
    EXPECT_EQ((std::vector<std::string>{"\x0A\x01", "\x0A\x02", std::string("\x0A\x01\x00", 3)}), PopAll(queue));
}

TEST(MessageQueueTest, AMessageTakenOrClearedAwayMayBeQueuedAgain)
{
    CWEMessageQueue queue;
    ASSERT_TRUE(queue.Push(Item("0B01")));
    EXPECT_EQ(1u, PopAll(queue).size());
    // Moved out and back in later: it must be looked at again.
    EXPECT_TRUE(queue.Push(Item("0B01")));
    queue.Clear();
    EXPECT_EQ(0u, queue.Size());
    EXPECT_TRUE(queue.Push(Item("0B01")));
    EXPECT_EQ(1u, queue.Size());
}

TEST(MessageQueueTest, AWithdrawnMessageIsSkippedAndMayBeQueuedAgainOnce)
{
    CWEMessageQueue queue;
    ASSERT_TRUE(queue.Push(Item("0C01")));
    ASSERT_TRUE(queue.Push(Item("0C02")));
    ASSERT_TRUE(queue.Push(Item("0C03")));
    CZrEntryID first, third, absent;
    first.SetHex("0C01");
    third.SetHex("0C03");
    absent.SetHex("0C09");
    EXPECT_TRUE(queue.IsWaiting(first));
    EXPECT_TRUE(queue.Withdraw(first));
    EXPECT_FALSE(queue.IsWaiting(first));
    EXPECT_FALSE(queue.Withdraw(first));
    EXPECT_FALSE(queue.Withdraw(absent));
    EXPECT_EQ(2u, queue.Size());
    // Withdrawn, then told again while its old place is still in the queue:
    // it is taken once, not twice.
    EXPECT_TRUE(queue.Withdraw(third));
    EXPECT_TRUE(queue.Push(Item("0C03")));
    EXPECT_EQ(2u, queue.Size());
    EXPECT_EQ((std::vector<std::string>{"\x0C\x02", "\x0C\x03"}), PopAll(queue));
    EXPECT_EQ(0u, queue.Size());
}

}  // namespace
