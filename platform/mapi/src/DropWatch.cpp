#include "DropWatch.h"

#include <cerrno>
#include <cstdint>
#include <poll.h>
#include <string_view>
#include <sys/eventfd.h>
#include <sys/inotify.h>
#include <unistd.h>

namespace pollenta::mapi {

namespace {

constexpr uint32_t kEvents = IN_MOVED_TO | IN_CLOSE_WRITE;

bool IsMail(const inotify_event& event)
{
    if (event.len == 0) return false;
    const std::string_view name(event.name);
    return name.size() > 4 && name.substr(name.size() - 4) == ".eml";
}

struct Events {
    bool look = false;  // mail came, or events were lost
    bool gone = false;  // the folder went away, and the watch with it
};

Events Read(const char* buffer, ssize_t length)
{
    Events events;
    for (ssize_t at = 0; at < length;) {
        const auto& event = *reinterpret_cast<const inotify_event*>(buffer + at);
        events.gone = events.gone || (event.mask & IN_IGNORED) != 0;
        events.look = events.look || events.gone || (event.mask & IN_Q_OVERFLOW) != 0 || IsMail(event);
        at += static_cast<ssize_t>(sizeof(inotify_event) + event.len);
    }
    return events;
}

}  // namespace

std::unique_ptr<CDropWatch> CDropWatch::Start(const std::string& folder, std::function<void()> dropped)
{
    const int inotify = inotify_init1(IN_CLOEXEC | IN_NONBLOCK);
    if (inotify < 0) return nullptr;
    const int stop = eventfd(0, EFD_CLOEXEC);
    if (stop < 0 || inotify_add_watch(inotify, folder.c_str(), kEvents | IN_ONLYDIR) < 0) {
        if (stop >= 0) close(stop);
        close(inotify);
        return nullptr;
    }
    return std::unique_ptr<CDropWatch>(new CDropWatch(inotify, stop, std::move(dropped)));
}

CDropWatch::CDropWatch(int inotify, int stop, std::function<void()> dropped)
    : m_inotify(inotify), m_stop(stop), m_dropped(std::move(dropped))
{
    m_thread = std::thread([this] { Run(); });
}

CDropWatch::~CDropWatch()
{
    const uint64_t one = 1;
    while (write(m_stop, &one, sizeof one) < 0 && errno == EINTR) {
    }
    m_thread.join();
    close(m_stop);
    close(m_inotify);
}

void CDropWatch::Run()
{
    alignas(inotify_event) char buffer[16 * 1024];
    pollfd waits[] = {{m_inotify, POLLIN, 0}, {m_stop, POLLIN, 0}};
    for (;;) {
        const int ready = poll(waits, 2, -1);
        if (ready < 0 && errno == EINTR) continue;
        if (ready < 0) {
            m_watching = false;
            return;
        }
        if (waits[1].revents != 0) return;
        Events all;
        for (ssize_t got; (got = read(m_inotify, buffer, sizeof buffer)) > 0;) {
            const Events events = Read(buffer, got);
            all.look = all.look || events.look;
            all.gone = all.gone || events.gone;
        }
        if (all.gone) m_watching = false;
        if (all.look) m_dropped();
        if (all.gone) return;
    }
}

}  // namespace pollenta::mapi
