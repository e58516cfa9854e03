#include "JobPool.h"

namespace pollenta::mapi {

namespace {

constexpr std::size_t kWakeAt = 4;

}  // namespace

CJobPool::CJobPool(unsigned helpers, std::function<void(std::size_t)> job) : m_job(std::move(job))
{
    for (unsigned i = 0; i < helpers; ++i) m_helpers.emplace_back([this] { Work(); });
}

CJobPool::~CJobPool()
{
    {
        std::lock_guard lock(m_mutex);
        m_closed = true;
    }
    m_changed.notify_all();
    Work();
    for (std::jthread& helper : m_helpers) helper.join();
}

void CJobPool::Ready(std::size_t count)
{
    std::size_t added = 0;
    std::size_t waiting = 0;
    {
        std::lock_guard lock(m_mutex);
        if (count <= m_ready) return;
        added = count - m_ready;
        m_ready = count;
        m_done.resize(count);
        waiting = m_ready - m_next;
    }
    // Waking a helper costs about what a short job does: one is woken when a
    // few jobs wait, and it runs them all before it sleeps again. The rest
    // run when the caller waits for them.
    if (added > 1) m_changed.notify_all();
    else if (waiting >= kWakeAt) m_changed.notify_one();
}

bool CJobPool::IsDone(std::size_t index)
{
    std::lock_guard lock(m_mutex);
    return index < m_done.size() && m_done[index];
}

void CJobPool::WaitFor(std::size_t index)
{
    std::unique_lock lock(m_mutex);
    while (!m_done.at(index))
        if (!RunNext(lock)) m_ended.wait(lock);
}

void CJobPool::Work()
{
    std::unique_lock lock(m_mutex);
    for (;;) {
        m_changed.wait(lock, [this] { return m_next < m_ready || m_closed; });
        if (!RunNext(lock)) return;
    }
}

bool CJobPool::RunNext(std::unique_lock<std::mutex>& lock)
{
    if (m_next >= m_ready) return false;
    std::size_t index = m_next++;
    lock.unlock();
    m_job(index);
    lock.lock();
    m_done[index] = true;
    m_ended.notify_all();
    return true;
}

}  // namespace pollenta::mapi
