#pragma once
// Runs job(0), job(1), ... on a few threads, each index as soon as it is
// handed in, so that the work on the first indexes overlaps whatever makes
// the next ones ready. The job must not throw.
//
//     CJobPool pool(3, [&](std::size_t i) { Write(items[i]); });
//     for (...) { items.push_back(...); pool.Ready(items.size()); }
//     pool.Finish();  // the caller helps with what is left, then all is done

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
    // Finishes, so that no job outlives what it works on.
    ~CJobPool();
    CJobPool(const CJobPool&) = delete;
    CJobPool& operator=(const CJobPool&) = delete;

    // Indexes below `count` may run from now on.
    void Ready(std::size_t count);
    // No more indexes come: runs what is left on the calling thread too and
    // returns when every job has ended.
    void Finish();

private:
    void Work();

    std::function<void(std::size_t)> m_job;
    std::mutex m_mutex;
    std::condition_variable m_changed;
    std::size_t m_ready = 0;
    std::size_t m_next = 0;
    bool m_closed = false;
    std::vector<std::jthread> m_helpers;
};

}  // namespace pollenta::mapi
