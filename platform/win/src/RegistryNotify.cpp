#include "RegistryNotify.h"

#include "ErrnoError.h"
#include "EventObject.h"
#include "HandleTable.h"
#include "KernelObject.h"
#include "RegistryFile.h"
#include "RegistryHandle.h"
#include "RegistryWatch.h"
#include "win/Synch.h"

#include <atomic>
#include <cerrno>
#include <cstdlib>
#include <poll.h>
#include <pthread.h>
#include <set>
#include <sys/inotify.h>
#include <thread>
#include <unistd.h>

namespace {

// Changes append to a journal and close it; a registry file written whole
// replaces the old one by a rename, and an editor may write one in place.
// The folder's own removal or move ends its watch.
constexpr uint32_t kEvents =
    IN_CLOSE_WRITE | IN_MOVED_TO | IN_MOVED_FROM | IN_CREATE | IN_DELETE | IN_DELETE_SELF | IN_MOVE_SELF | IN_ONLYDIR;

// A forked child shares its parent's inotify queue but not the thread that
// reads it: it must neither take its parent's events nor wait for its own.
std::atomic<bool> g_forked{false};
std::atomic<RegistryNotify*> g_instance{nullptr};

// Lock and temporary files come and go with every change; only the data
// files and their journals tell that something else may have.
bool IsRegistryFile(const inotify_event& event)
{
    const std::string_view name = event.len ? event.name : "";
    return name.ends_with(".reg") || name.ends_with(".reg.journal");
}

// A writer's temporary file leaves under its own name: the data file is
// written when a file arrives or leaves under its name, or is written in
// place.
constexpr uint32_t kWrites = IN_CLOSE_WRITE | IN_MOVED_TO | IN_MOVED_FROM | IN_CREATE | IN_DELETE;

void AppendField(std::string& content, std::string_view field)
{
    content += std::to_string(field.size());
    content += ':';
    content += field;
}

void AppendKey(const RegistryNode& node, bool subtree, std::string& content)
{
    AppendField(content, node.Name());
    AppendField(content, std::to_string(node.Values().size()));
    for (const RegistryValue& value : node.Values()) {
        AppendField(content, value.name);
        AppendField(content, std::to_string(value.type));
        AppendField(content, std::string_view(reinterpret_cast<const char*>(value.data.data()), value.data.size()));
    }
    AppendField(content, std::to_string(node.Subkeys().size()));
    for (const auto& subkey : node.Subkeys()) {
        if (subtree)
            AppendKey(*subkey, true, content);
        else
            AppendField(content, subkey->Name());
    }
}

// What a registration compares: the key's values and subkey names (with
// the subtree: all below it) on each side of the view, or the error that
// kept it from being read.
std::string ContentOf(RegistryRoot root, const RegistryView::Path& path, bool subtree)
{
    std::string content;
    const LONG error = RegistryView::Read(root, path, [&](const RegistryView::Key& key) {
        for (const RegistryNode* side : {key.user, key.machine}) {
            content += side ? '+' : '-';
            if (side)
                AppendKey(*side, subtree, content);
        }
        return static_cast<LONG>(ERROR_SUCCESS);
    });
    return error ? "error " + std::to_string(error) : content;
}

}  // namespace

RegistryNotify* RegistryNotify::Existing()
{
    return g_forked ? nullptr : g_instance.load();
}

RegistryNotify& RegistryNotify::Instance()
{
    static RegistryNotify* instance = new RegistryNotify;
    return *instance;
}

RegistryNotify::RegistryNotify()
{
    m_inotify = inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
    if (m_inotify < 0)
        return;
    // Made before the exit handler is registered, they are destroyed after
    // it has stopped the thread.
    KernelObject::Lock();
    KernelObject::Changed();
    RegistryWatch::Instance();
    RegistryView::Read(RegistryRoot::CurrentUser, {},
                       [](const RegistryView::Key&) { return static_cast<LONG>(ERROR_SUCCESS); });
    std::atexit([] {
        RegistryNotify* notify = g_instance.load();
        std::lock_guard guard(notify->m_mutex);
        notify->m_stopping = true;
    });
    pthread_atfork(nullptr, nullptr, [] { g_forked = true; });
    g_instance = this;
    KernelObject::SetPendingSignals(&RegistryNotify::TakeInPending);
    std::thread([this] { Run(); }).detach();
}

LONG RegistryNotify::Register(HKEY key, const HKEY__& place, bool subtree, HANDLE event)
{
    if (!std::dynamic_pointer_cast<EventObject>(HandleTable::Find(event)))
        return static_cast<LONG>(ERROR_INVALID_HANDLE);
    if (g_forked)
        return static_cast<LONG>(ERROR_CALL_NOT_IMPLEMENTED);
    if (m_inotify < 0)
        return static_cast<LONG>(Win32ErrorFromErrno(EMFILE));
    std::lock_guard guard(m_mutex);
    // Writes already queued are older than what is read now; and the end
    // of a watch read now cannot be that of the one added next.
    Drain();
    // Watched before the key is read: a change after the read is queued.
    const int watch = inotify_add_watch(m_inotify, RegistryFile::Folder().c_str(), kEvents);
    if (watch < 0)
        return static_cast<LONG>(Win32ErrorFromErrno(errno));
    m_registrations.push_back({key, place.root, place.path, subtree, event, watch, RegistryView::FileNames(place.root),
                               ContentOf(place.root, place.path, subtree)});
    return ERROR_SUCCESS;
}

void RegistryNotify::KeyClosed(HKEY key)
{
    std::lock_guard guard(m_mutex);
    // Keys closed by destructors at exit: nobody waits any more.
    if (m_stopping)
        return;
    SignalWhere([&](size_t index) { return m_registrations[index].key == key; });
}

void RegistryNotify::Run()
{
    // Not the name of whichever thread happened to register first.
    pthread_setname_np(pthread_self(), "registry-notify");
    for (;;) {
        pollfd ready{m_inotify, POLLIN, 0};
        if (poll(&ready, 1, -1) < 0 && errno != EINTR)
            return;
        std::lock_guard guard(m_mutex);
        if (m_stopping)
            return;
        Drain();
    }
}

void RegistryNotify::TakeInPending()
{
    RegistryNotify* notify = Existing();
    if (!notify)
        return;
    std::lock_guard guard(notify->m_mutex);
    if (!notify->m_stopping && !notify->m_registrations.empty())
        notify->Drain();
}

void RegistryNotify::Drain()
{
    const QueueRead before = ReadQueue();
    if (before.Empty())
        return;
    // Keys are read between two looks at the queue: a file written once
    // before the read and not after it was read as that write left it. The
    // readers' own watch is told of those writes first, so the read looks
    // at the files rather than at the tree it last read.
    RegistryWatch::Instance().CatchUp();
    std::vector<std::string> now(m_registrations.size());
    for (size_t i = 0; i < m_registrations.size(); ++i) {
        const Registration& registration = m_registrations[i];
        if (!before.Ends(registration) && before.WritesOf(registration) == 1)
            now[i] = ContentOf(registration.root, registration.path, registration.subtree);
    }
    const QueueRead after = ReadQueue();
    for (const QueueRead* read : {&before, &after})
        for (int watch : read->gone)
            inotify_rm_watch(m_inotify, watch);

    std::vector<bool> ended(m_registrations.size());
    for (size_t i = 0; i < m_registrations.size(); ++i) {
        const Registration& registration = m_registrations[i];
        const int early = before.WritesOf(registration);
        const int late = after.WritesOf(registration);
        const bool comparable = early == 1 && late == 0;
        ended[i] = before.Ends(registration) || after.Ends(registration) ||
                   (early + late > 0 && !(comparable && now[i] == registration.content));
    }
    SignalWhere([&](size_t index) { return ended[index]; });
}

RegistryNotify::QueueRead RegistryNotify::ReadQueue()
{
    QueueRead found;
    alignas(inotify_event) char buffer[16 * 1024];
    for (ssize_t got; (got = read(m_inotify, buffer, sizeof buffer)) > 0;) {
        for (ssize_t at = 0; at < got;) {
            const auto& event = *reinterpret_cast<const inotify_event*>(buffer + at);
            at += static_cast<ssize_t>(sizeof(inotify_event) + event.len);
            if (event.mask & IN_Q_OVERFLOW)
                found.overflow = true;
            else if (event.mask & (IN_IGNORED | IN_DELETE_SELF | IN_MOVE_SELF))
                found.gone.insert(event.wd);
            else if ((event.mask & kWrites) && IsRegistryFile(event))
                ++found.writes[{event.wd, event.name}];
        }
    }
    return found;
}

int RegistryNotify::QueueRead::WritesOf(const Registration& registration) const
{
    int count = 0;
    for (const std::string& file : registration.files)
        if (auto known = writes.find({registration.watch, file}); known != writes.end())
            count += known->second;
    return count;
}

// Lost events may have been writes; a folder no longer watched is no
// longer where the files are looked for.
bool RegistryNotify::QueueRead::Ends(const Registration& registration) const
{
    return overflow || gone.count(registration.watch) != 0;
}

void RegistryNotify::SignalWhere(const std::function<bool(size_t index)>& ended)
{
    std::vector<Registration> kept;
    for (size_t i = 0; i < m_registrations.size(); ++i) {
        if (ended(i))
            SetEvent(m_registrations[i].event);
        else
            kept.push_back(std::move(m_registrations[i]));
    }
    m_registrations = std::move(kept);
}
