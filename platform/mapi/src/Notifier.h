#pragma once
// Delivers notifications on a thread of its own to every sink advised on
// the store they concern. A sink is held by a reference while it is being
// called, so releasing it meanwhile is safe; once Unadvise returns it is not
// called again.

#include "mapi/IMAPIAdviseSink.h"

#include <condition_variable>
#include <deque>
#include <map>
#include <mutex>
#include <string>
#include <thread>

namespace pollenta::mapi {

struct CEvent {
    ULONG type = 0;
    std::string entryId;
    std::string parentId;
    ULONG objType = 0;
    std::string oldId;
    std::string oldParentId;
    std::string messageClass;
};

class CNotifier {
public:
    static CNotifier& Instance();
    ~CNotifier();

    // `filter` (an entry id, may be empty) limits the sink to events on that
    // object or its children.
    ULONG_PTR Advise(const MAPIUID& store, ULONG mask, const std::string& filter, IMAPIAdviseSink* sink);
    bool Unadvise(ULONG_PTR connection);
    // An event no sink is advised for is dropped here: nobody is woken for
    // it.
    void Raise(const MAPIUID& store, const CEvent& event);
    // Returns once every event raised so far has been delivered.
    void Drain();

private:
    struct Advice {
        MAPIUID store;
        ULONG mask;
        std::string filter;
        IMAPIAdviseSink* sink;
    };
    struct Pending {
        MAPIUID store;
        CEvent event;
    };

    CNotifier() = default;
    void EnsureThread();
    void Run();
    void Deliver(const Pending& pending);
    static bool Wants(const Advice& advice, const MAPIUID& store, const CEvent& event);
    bool AnyWants(const MAPIUID& store, const CEvent& event) const;

    mutable std::mutex m_mutex;
    std::condition_variable m_changed;
    std::map<ULONG_PTR, Advice> m_advices;
    std::deque<Pending> m_queue;
    ULONG_PTR m_nextConnection = 1;
    ULONG_PTR m_calling = 0;  // the connection whose sink is being called
    bool m_busy = false;      // an event is being delivered
    bool m_stop = false;
    std::thread m_thread;
};

}  // namespace pollenta::mapi
