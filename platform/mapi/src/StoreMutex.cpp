#include "StoreMutex.h"

namespace pollenta::mapi {

// Only the owner ever reads its own id back from m_owner, so a relaxed load
// sees either that id (set by this thread) or another thread's.

void CStoreMutex::lock()
{
    if (HeldHere()) {
        ++m_depth;
        return;
    }
    m_mutex.lock();
    m_owner.store(std::this_thread::get_id(), std::memory_order_relaxed);
    m_depth = 1;
}

bool CStoreMutex::try_lock()
{
    if (HeldHere()) {
        ++m_depth;
        return true;
    }
    if (!m_mutex.try_lock()) return false;
    m_owner.store(std::this_thread::get_id(), std::memory_order_relaxed);
    m_depth = 1;
    return true;
}

void CStoreMutex::unlock()
{
    if (--m_depth) return;
    m_owner.store(std::thread::id(), std::memory_order_relaxed);
    m_mutex.unlock();
    if (m_released) m_released();
}

}  // namespace pollenta::mapi
