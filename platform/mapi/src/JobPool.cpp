#include "JobPool.h"

namespace pollenta::mapi {

CJobPool::CJobPool(unsigned helpers, std::function<void(std::size_t)> job) : m_job(std::move(job))
{
    for (unsigned i = 0; i < helpers; ++i) m_helpers.emplace_back([this] { Work(); });
}

CJobPool::~CJobPool() { Finish(); }

void CJobPool::Ready(std::size_t count)
{
    std::size_t added = 0;
    {
        std::lock_guard lock(m_mutex);
        if (count <= m_ready) return;
        added = count - m_ready;
        m_ready = count;
    }
    // Waking every helper for one job would send all but one back to sleep.
    if (added == 1) m_changed.notify_one();
    else m_changed.notify_all();
}

void CJobPool::Finish()
{
    {
        std::lock_guard lock(m_mutex);
        m_closed = true;
    }
    m_changed.notify_all();
    Work();
    for (std::jthread& helper : m_helpers)
        if (helper.joinable()) helper.join();
}

void CJobPool::Work()
{
    std::unique_lock lock(m_mutex);
    for (;;) {
        m_changed.wait(lock, [this] { return m_next < m_ready || m_closed; });
        if (m_next >= m_ready) return;
        std::size_t index = m_next++;
        lock.unlock();
        m_job(index);
        lock.lock();
    }
}

}  // namespace pollenta::mapi
