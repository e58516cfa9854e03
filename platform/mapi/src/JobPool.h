#pragma once
// Runs job(0), job(1), ... on a few threads, each index as soon as it is
// handed in, so that the work on the first indexes overlaps whatever makes
// the next ones ready. The job must not throw.
//
//     CJobPool pool(3, [&](std::size_t i) { Write(items[i]); });
//     for (...) { items.push_back(...); pool.Ready(items.size()); }
//     for (std::size_t i = 0; i < items.size(); ++i) { pool.WaitFor(i); Use(items[i]); }

#include <condition_variable>
#include <cstddef>
#include <functional>
#include <mutex>
#include <thread>
#include <vector>

namespace pollenta::mapi {

class CJobPool {
public:
    CJobPool(unsigned helpers, std::function<void(std::size_t)> job);
    // Runs what is left, so that no job outlives what it works on.
    ~CJobPool();
    CJobPool(const CJobPool&) = delete;
    CJobPool& operator=(const CJobPool&) = delete;

    // Indexes below `count` may run from now on.
    void Ready(std::size_t count);
    bool IsDone(std::size_t index);
    // Returns when job(index), which must be ready, has ended; the calling
    // thread runs waiting jobs meanwhile, so this works without helpers too.
    void WaitFor(std::size_t index);

private:
    void Work();
    // Runs the next waiting job; false when there is none. `lock` holds
    // m_mutex before and after.
    bool RunNext(std::unique_lock<std::mutex>& lock);

    std::function<void(std::size_t)> m_job;
    std::mutex m_mutex;
    std::condition_variable m_changed;  // more ready, or closed
    std::condition_variable m_ended;    // a job ended
    std::size_t m_ready = 0;
    std::size_t m_next = 0;
    std::vector<bool> m_done;
    bool m_closed = false;
    std::vector<std::jthread> m_helpers;
};

}  // namespace pollenta::mapi
