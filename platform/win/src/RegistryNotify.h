#pragma once
// Registrations of RegNotifyChangeKeyValue. Each remembers what its key
// held when it was made. When the file of its root has been written once
// since the last look, the key is read again and compared; when it has been
// written more than once, a state in between may have gone unseen (a value
// changed and changed back), and the registration is signalled without a
// comparison. A signalled registration ends. The folders are watched with
// inotify, added before the key is first read so that no write after that
// read goes unseen. A thread of the layer takes the kernel's events as they
// come, and every wait takes in those already queued (see KernelObject), so
// that a look right after another process's change sees it.

#include "RegistryView.h"
#include "win/Registry.h"

#include <functional>
#include <map>
#include <mutex>
#include <set>
#include <string>
#include <vector>

class RegistryNotify {
public:
    // Null until the first registration: a process that never registers
    // runs no thread and watches nothing.
    static RegistryNotify* Existing();
    static RegistryNotify& Instance();

    LONG Register(HKEY key, const HKEY__& place, bool subtree, HANDLE event);
    // Signals and ends the registrations made through the handle.
    void KeyClosed(HKEY key);

private:
    struct Registration {
        HKEY key;
        RegistryRoot root;
        RegistryView::Path path;
        bool subtree;
        HANDLE event;
        int watch;
        std::vector<std::string> files;
        std::string content;
    };

    // What one read of the kernel's queue told: how often each registry
    // file was written (by watch and name), which watches ended, and
    // whether events were lost.
    struct QueueRead {
        std::map<std::pair<int, std::string>, int> writes;
        std::set<int> gone;
        bool overflow = false;

        bool Empty() const { return writes.empty() && gone.empty() && !overflow; }
        int WritesOf(const Registration& registration) const;
        bool Ends(const Registration& registration) const;
    };

    RegistryNotify();
    void Run();
    static void TakeInPending();
    // Reads what the kernel has queued and signals the registrations it
    // concerns; called with m_mutex held.
    void Drain();
    QueueRead ReadQueue();
    // Signals and ends the registrations at the places for which ended is true.
    void SignalWhere(const std::function<bool(size_t index)>& ended);

    std::mutex m_mutex;
    int m_inotify = -1;
    bool m_stopping = false;
    std::vector<Registration> m_registrations;
};
