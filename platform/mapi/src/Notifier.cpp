#include "Notifier.h"

#include "EntryId.h"
#include "mapi/MapiFlags.h"

#include <cstring>
#include <vector>

namespace pollenta::mapi {

CNotifier& CNotifier::Instance()
{
    static CNotifier notifier;
    return notifier;
}

CNotifier::~CNotifier()
{
    {
        std::lock_guard lock(m_mutex);
        m_stop = true;
        m_changed.notify_all();
    }
    if (m_thread.joinable()) m_thread.join();
    // Sinks still advised at exit are left alone: the module that made one
    // may already be unloaded.
}

void CNotifier::EnsureThread()
{
    if (!m_thread.joinable()) m_thread = std::thread([this] { Run(); });
}

ULONG_PTR CNotifier::Advise(const MAPIUID& store, ULONG mask, const std::string& filter, IMAPIAdviseSink* sink)
{
    std::lock_guard lock(m_mutex);
    EnsureThread();
    sink->AddRef();
    ULONG_PTR connection = m_nextConnection++;
    m_advices[connection] = Advice{store, mask, filter, sink};
    return connection;
}

bool CNotifier::Unadvise(ULONG_PTR connection)
{
    IMAPIAdviseSink* sink = nullptr;
    {
        std::unique_lock lock(m_mutex);
        auto it = m_advices.find(connection);
        if (it == m_advices.end()) return false;
        sink = it->second.sink;
        m_advices.erase(it);
        // A sink may unadvise itself from inside OnNotify; anyone else waits
        // for the call in progress to finish.
        if (std::this_thread::get_id() != m_thread.get_id())
            m_changed.wait(lock, [&] { return m_calling != connection; });
    }
    sink->Release();
    return true;
}

bool CNotifier::Wants(const Advice& advice, const MAPIUID& store, const CEvent& event)
{
    if (!(advice.store == store) || !(advice.mask & event.type)) return false;
    return advice.filter.empty() || advice.filter == event.entryId || advice.filter == event.parentId;
}

bool CNotifier::AnyWants(const MAPIUID& store, const CEvent& event) const
{
    for (const auto& [connection, advice] : m_advices)
        if (Wants(advice, store, event)) return true;
    return false;
}

void CNotifier::Raise(const MAPIUID& store, const CEvent& event)
{
    std::lock_guard lock(m_mutex);
    if (!AnyWants(store, event)) return;
    EnsureThread();
    m_queue.push_back(Pending{store, event});
    m_changed.notify_all();
}

void CNotifier::Drain()
{
    std::unique_lock lock(m_mutex);
    if (std::this_thread::get_id() == m_thread.get_id()) return;
    m_changed.wait(lock, [&] { return (m_queue.empty() && !m_busy) || m_stop; });
}

void CNotifier::Run()
{
    std::unique_lock lock(m_mutex);
    for (;;) {
        m_changed.wait(lock, [&] { return m_stop || !m_queue.empty(); });
        if (m_stop) return;
        Pending pending = std::move(m_queue.front());
        m_queue.pop_front();
        m_busy = true;
        lock.unlock();
        Deliver(pending);
        lock.lock();
        m_busy = false;
        m_changed.notify_all();
    }
}

void CNotifier::Deliver(const Pending& pending)
{
    const CEvent& e = pending.event;
    NOTIFICATION notification;
    std::memset(&notification, 0, sizeof notification);
    notification.ulEventType = e.type;
    auto eid = [](const std::string& bytes) {
        return reinterpret_cast<LPENTRYID>(const_cast<char*>(bytes.empty() ? nullptr : bytes.data()));
    };
    if (e.type == fnevNewMail) {
        NEWMAIL_NOTIFICATION& n = notification.info.newmail;
        n.cbEntryID = static_cast<ULONG>(e.entryId.size());
        n.lpEntryID = eid(e.entryId);
        n.cbParentID = static_cast<ULONG>(e.parentId.size());
        n.lpParentID = eid(e.parentId);
        n.lpszMessageClass = const_cast<char*>(e.messageClass.c_str());
    } else {
        OBJECT_NOTIFICATION& n = notification.info.obj;
        n.cbEntryID = static_cast<ULONG>(e.entryId.size());
        n.lpEntryID = eid(e.entryId);
        n.ulObjType = e.objType;
        n.cbParentID = static_cast<ULONG>(e.parentId.size());
        n.lpParentID = eid(e.parentId);
        n.cbOldID = static_cast<ULONG>(e.oldId.size());
        n.lpOldID = eid(e.oldId);
        n.cbOldParentID = static_cast<ULONG>(e.oldParentId.size());
        n.lpOldParentID = eid(e.oldParentId);
    }

    std::vector<ULONG_PTR> targets;
    {
        std::lock_guard lock(m_mutex);
        for (const auto& [connection, advice] : m_advices)
            if (Wants(advice, pending.store, e)) targets.push_back(connection);
    }
    for (ULONG_PTR connection : targets) {
        IMAPIAdviseSink* sink = nullptr;
        {
            std::lock_guard lock(m_mutex);
            auto it = m_advices.find(connection);
            if (it == m_advices.end()) continue;  // unadvised meanwhile
            sink = it->second.sink;
            sink->AddRef();
            m_calling = connection;
        }
        // Each sink gets its own copy, so one that writes into it cannot
        // spoil what the next one sees.
        NOTIFICATION copy = notification;
        try {
            sink->OnNotify(1, &copy);
        } catch (...) {
            // A sink that throws must not take the notification thread down.
        }
        {
            std::lock_guard lock(m_mutex);
            m_calling = 0;
            m_changed.notify_all();
        }
        sink->Release();
    }
}

}  // namespace pollenta::mapi
