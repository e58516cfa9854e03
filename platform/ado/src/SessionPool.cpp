#include "SessionPool.h"

#include "DatabaseSession.h"

#include "ado/SessionPool.h"

#include <pthread.h>
#include <sys/stat.h>
#include <unistd.h>

#include <utility>

namespace pollenta::ado {

namespace {

// Beyond this many idle handles the oldest closes: each holds the database,
// its log and its index open.
constexpr std::size_t kMostIdle = 32;

// What a forked child took over from its parent and must neither use nor
// destroy, kept where it stays reachable until the process ends.
std::vector<const void*>& LeftByParent()
{
    static auto* left = new std::vector<const void*>();
    return *left;
}

}  // namespace

FileIdentity FileIdentity::Of(const std::string& path)
{
    struct stat info {};
    if (stat(path.c_str(), &info) != 0)
        return {};
    return {info.st_dev, info.st_ino, true};
}

void SetSessionPoolTimeout(std::chrono::milliseconds idle) { SessionPool::Instance().SetTimeout(idle); }

SessionPool& SessionPool::Instance()
{
    static SessionPool pool;
    return pool;
}

SessionPool::~SessionPool()
{
    Sessions closing;
    {
        std::lock_guard lock(m_mutex);
        ForgetParentsSessions();
        m_stopping = true;
        for (IdleSession& idle : m_idle)
            closing.push_back(std::move(idle.session));
        m_idle.clear();
        WakeReaper();
    }
    if (m_reaper)
        m_reaper->thread.join();
}

// A forked child holds copies of its parent's handles, whose locks and log
// belong to the parent, and a copy of the reaper's state without its thread,
// which could block whoever wakes it: it leaves all of that alone and pools
// its own.
void SessionPool::ForgetParentsSessions()
{
    const pid_t self = getpid();
    if (m_owner == self)
        return;
    m_owner = self;
    for (IdleSession& idle : m_idle)
        LeftByParent().push_back(idle.session.release());
    m_idle.clear();
    if (m_reaper)
        LeftByParent().push_back(m_reaper.release());
}

std::unique_ptr<DatabaseSession> SessionPool::Take(const std::string& connectionString, const std::string& path,
                                                   FileIdentity& identity)
{
    identity = FileIdentity::Of(path);
    std::unique_ptr<DatabaseSession> found;
    Sessions stale;  // closes after the lock is let go
    std::lock_guard lock(m_mutex);
    ForgetParentsSessions();
    for (std::size_t i = m_idle.size(); i-- > 0;) {
        IdleSession& idle = m_idle[i];
        if (idle.connectionString != connectionString)
            continue;
        const bool sameFile = identity.known && idle.identity == identity;
        if (sameFile && found)
            continue;
        if (sameFile)
            found = std::move(idle.session);
        else
            stale.push_back(std::move(idle.session));
        m_idle.erase(m_idle.begin() + static_cast<std::ptrdiff_t>(i));
    }
    return found;
}

void SessionPool::Give(const std::string& connectionString, std::unique_ptr<DatabaseSession> session,
                       const FileIdentity& identity)
{
    if (!session)
        return;
    Sessions closing;  // closes after the lock is let go
    std::lock_guard lock(m_mutex);
    ForgetParentsSessions();
    if (m_stopping || m_timeout.count() <= 0 || !identity.known || !session->IsReusable()) {
        closing.push_back(std::move(session));
        return;
    }
    m_idle.push_back({connectionString, std::move(session), identity, Clock::now()});
    if (m_idle.size() > kMostIdle) {
        closing.push_back(std::move(m_idle.front().session));
        m_idle.erase(m_idle.begin());
    }
    StartReaper();
    if (std::exchange(m_reaper->waitsForAny, false))
        WakeReaper();
}

void SessionPool::SetTimeout(std::chrono::milliseconds idle)
{
    Sessions expired;  // closes after the lock is let go
    std::lock_guard lock(m_mutex);
    ForgetParentsSessions();
    m_timeout = idle;
    expired = TakeExpired(Clock::now());
    WakeReaper();
}

void SessionPool::WakeReaper()
{
    if (m_reaper)
        m_reaper->wake.notify_all();
}

void SessionPool::StartReaper()
{
    if (m_reaper)
        return;
    m_reaper = std::make_unique<Reaper>();
    m_reaper->thread = std::thread([this, reaper = m_reaper.get()] { Reap(*reaper); });
}

void SessionPool::Reap(Reaper& reaper)
{
    // A thread takes the name of the thread that made it; the pool's closer
    // serves every thread and says so, instead of passing for one of them.
    pthread_setname_np(pthread_self(), "ado-pool");
    std::unique_lock lock(m_mutex);
    while (!m_stopping) {
        if (m_idle.empty()) {
            reaper.waitsForAny = true;
            reaper.wake.wait(lock);
            reaper.waitsForAny = false;
        } else {
            reaper.wake.wait_until(lock, m_idle.front().idleSince + m_timeout);
        }
        Sessions expired = TakeExpired(Clock::now());
        if (expired.empty())
            continue;
        lock.unlock();
        expired.clear();
        lock.lock();
    }
}

SessionPool::Sessions SessionPool::TakeExpired(Clock::time_point now)
{
    Sessions expired;
    while (!m_idle.empty() && (m_stopping || m_idle.front().idleSince + m_timeout <= now)) {
        expired.push_back(std::move(m_idle.front().session));
        m_idle.erase(m_idle.begin());
    }
    return expired;
}

}  // namespace pollenta::ado
