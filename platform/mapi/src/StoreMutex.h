#pragma once
// The write lock of a store file within one process: recursive, like the
// lock of a single connection it replaces, and able to say whether the
// calling thread holds it, so that reads made in the middle of a write go
// to the connection that sees the write's own uncommitted rows.

#include <atomic>
#include <functional>
#include <mutex>
#include <thread>

namespace pollenta::mapi {

class CStoreMutex {
public:
    // `released` runs on the thread that let go of the lock, after another
    // thread may have taken it: work that follows a write without needing
    // the lock (a checkpoint) is done there.
    explicit CStoreMutex(std::function<void()> released = {}) : m_released(std::move(released)) {}

    void lock();
    bool try_lock();
    void unlock();
    bool HeldHere() const { return m_owner.load(std::memory_order_relaxed) == std::this_thread::get_id(); }

private:
    std::mutex m_mutex;
    std::atomic<std::thread::id> m_owner{};
    unsigned m_depth = 0;
    std::function<void()> m_released;
};

}  // namespace pollenta::mapi
