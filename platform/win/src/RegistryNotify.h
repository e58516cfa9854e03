#pragma once
// Registrations of RegNotifyChangeKeyValue. Each remembers what its key
// held when it was made; whenever a registry file of its folder is
// replaced, the key is read again, and an event whose key reads
// differently is signalled and its registration ends. The folders are
// watched with inotify, added before the key is first read so that no
// change after that read goes unseen. A thread of the layer takes the
// kernel's events as they come, and every wait takes in those already
// queued (see KernelObject), so that a look right after another process's
// change sees it.

#include "RegistryView.h"
#include "win/Registry.h"

#include <functional>
#include <mutex>
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
        std::string content;
    };

    RegistryNotify();
    void Run();
    static void TakeInPending();
    // Reads what the kernel has queued and signals the registrations it
    // concerns; called with m_mutex held.
    void Drain();
    void SignalWhere(const std::function<bool(const Registration&)>& ended);

    std::mutex m_mutex;
    int m_inotify = -1;
    bool m_stopping = false;
    std::vector<Registration> m_registrations;
};
