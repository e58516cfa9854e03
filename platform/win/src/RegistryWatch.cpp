#include "RegistryWatch.h"

#include <atomic>
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
    static RegistryWatch watch;
    return watch;
}

RegistryWatch::RegistryWatch()
{
    m_inotify = inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
    pthread_atfork(nullptr, nullptr, [] { g_forked = true; });
}

std::optional<uint64_t> RegistryWatch::Stamp(const std::string& folder)
{
    if (m_inotify < 0 || g_forked)
        return std::nullopt;
    std::lock_guard guard(m_mutex);
    Drain();
    auto known = m_watches.find(folder);
    if (known != m_watches.end())
        return m_changed[known->second];
    const int watch = inotify_add_watch(m_inotify, folder.c_str(), kEvents);
    if (watch < 0)
        return std::nullopt;
    // Two names of one folder share the watch.
    m_watches[folder] = watch;
    m_changed[watch] = ++m_sequence;
    return m_changed[watch];
}

void RegistryWatch::Drain()
{
    alignas(inotify_event) char buffer[16 * 1024];
    for (ssize_t got; (got = read(m_inotify, buffer, sizeof buffer)) > 0;) {
        for (ssize_t at = 0; at < got;) {
            const auto& event = *reinterpret_cast<const inotify_event*>(buffer + at);
            at += static_cast<ssize_t>(sizeof(inotify_event) + event.len);
            if (event.mask & IN_Q_OVERFLOW) {
                ++m_sequence;
                for (auto& [watch, changed] : m_changed)
                    changed = m_sequence;
            } else if (event.mask & (IN_IGNORED | IN_DELETE_SELF | IN_MOVE_SELF)) {
                Forget(event.wd);
            } else if (auto changed = m_changed.find(event.wd); changed != m_changed.end()) {
                changed->second = ++m_sequence;
            }
        }
    }
}

// The folder is gone from its path: the next reader watches whatever folder
// has that path then.
void RegistryWatch::Forget(int watch)
{
    if (m_changed.erase(watch) == 0)
        return;
    inotify_rm_watch(m_inotify, watch);
    std::erase_if(m_watches, [watch](const auto& entry) { return entry.second == watch; });
}
