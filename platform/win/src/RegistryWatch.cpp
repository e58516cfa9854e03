#include "RegistryWatch.h"

#include <pthread.h>
#include <sys/inotify.h>
#include <unistd.h>

namespace {

// Everything that can make the files of the folder read differently; the
// folder's own moves and removal end the watch.
constexpr uint32_t kEvents = IN_CREATE | IN_DELETE | IN_MODIFY | IN_CLOSE_WRITE | IN_MOVED_FROM | IN_MOVED_TO |
                             IN_ATTRIB | IN_DELETE_SELF | IN_MOVE_SELF | IN_ONLYDIR;

std::atomic<bool> g_forked{false};

} // namespace

RegistryWatch& RegistryWatch::Instance()
{
    // Never destroyed: readers keep pointers to its folders until the end.
    static RegistryWatch* watch = new RegistryWatch;
    return *watch;
}

RegistryWatch::RegistryWatch()
{
    m_inotify = inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
    pthread_atfork(nullptr, nullptr, [] { g_forked = true; });
}

const RegistryWatch::Folder* RegistryWatch::Watch(const std::string& folder)
{
    if (m_inotify < 0 || g_forked)
        return nullptr;
    std::lock_guard guard(m_mutex);
    Drain();
    if (auto known = m_watches.find(folder); known != m_watches.end())
        return m_folders[known->second].get();
    const int watch = inotify_add_watch(m_inotify, folder.c_str(), kEvents);
    if (watch < 0)
        return nullptr;
    // Two names of one folder share the watch.
    m_watches[folder] = watch;
    auto& known = m_folders[watch];
    if (!known) {
        known = std::make_unique<Folder>();
        known->changes = ++m_sequence;
    }
    return known.get();
}

void RegistryWatch::CatchUp()
{
    if (m_inotify < 0 || g_forked)
        return;
    std::lock_guard guard(m_mutex);
    Drain();
}

void RegistryWatch::Drain()
{
    alignas(inotify_event) char buffer[16 * 1024];
    for (ssize_t got; (got = read(m_inotify, buffer, sizeof buffer)) > 0;) {
        for (ssize_t at = 0; at < got;) {
            const auto& event = *reinterpret_cast<const inotify_event*>(buffer + at);
            at += static_cast<ssize_t>(sizeof(inotify_event) + event.len);
            if (event.mask & IN_Q_OVERFLOW) {
                for (auto& [watch, folder] : m_folders)
                    folder->changes.store(++m_sequence, std::memory_order_release);
            } else if (event.mask & (IN_IGNORED | IN_DELETE_SELF | IN_MOVE_SELF)) {
                Forget(event.wd);
            } else if (auto known = m_folders.find(event.wd); known != m_folders.end()) {
                known->second->changes.store(++m_sequence, std::memory_order_release);
            }
        }
    }
}

// The folder is gone from its path: the next reader watches whatever folder
// has that path then.
void RegistryWatch::Forget(int watch)
{
    auto known = m_folders.find(watch);
    if (known == m_folders.end())
        return;
    known->second->changes.store(++m_sequence, std::memory_order_release);
    known->second->gone.store(true, std::memory_order_release);
    m_gone.push_back(std::move(known->second));
    m_folders.erase(known);
    inotify_rm_watch(m_inotify, watch);
    std::erase_if(m_watches, [watch](const auto& entry) { return entry.second == watch; });
}
