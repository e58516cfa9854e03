#include "SessionPool.h"

#include "ado/SessionPool.h"

#include <pthread.h>
#include <sqlite3.h>
#include <sys/stat.h>
#include <unistd.h>

namespace pollenta::ado {

namespace {

// Beyond this many idle handles the oldest closes: each holds the database,
// its log and its index open.
constexpr std::size_t kMostIdle = 32;

void CloseAll(const std::vector<sqlite3*>& handles)
{
    for (sqlite3* db : handles)
        sqlite3_close_v2(db);
}

bool IsReusable(sqlite3* db) { return sqlite3_get_autocommit(db) && !sqlite3_next_stmt(db, nullptr); }

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
    std::vector<sqlite3*> closing;
    {
        std::lock_guard lock(m_mutex);
        ForgetParentsSessions();
        m_stopping = true;
        for (const Session& session : m_idle)
            closing.push_back(session.db);
        m_idle.clear();
        WakeReaper();
    }
    if (m_reaper)
        m_reaper->thread.join();
    CloseAll(closing);
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
    for (const Session& session : m_idle)
        LeftByParent().push_back(session.db);
    m_idle.clear();
    if (m_reaper)
        LeftByParent().push_back(m_reaper.release());
}

sqlite3* SessionPool::Take(const std::string& connectionString, const std::string& path, FileIdentity& identity)
{
    identity = FileIdentity::Of(path);
    sqlite3* found = nullptr;
    std::vector<sqlite3*> stale;
    {
        std::lock_guard lock(m_mutex);
        ForgetParentsSessions();
        for (std::size_t i = m_idle.size(); i-- > 0;) {
            const Session& session = m_idle[i];
            if (session.connectionString != connectionString)
                continue;
            const bool sameFile = identity.known && session.identity == identity;
            if (sameFile && found)
                continue;
            if (sameFile)
                found = session.db;
            else
                stale.push_back(session.db);
            m_idle.erase(m_idle.begin() + static_cast<std::ptrdiff_t>(i));
        }
    }
    CloseAll(stale);
    return found;
}

void SessionPool::Give(const std::string& connectionString, sqlite3* db, const FileIdentity& identity)
{
    if (!db)
        return;
    std::vector<sqlite3*> closing;
    {
        std::lock_guard lock(m_mutex);
        ForgetParentsSessions();
        if (m_stopping || m_timeout.count() <= 0 || !identity.known || !IsReusable(db)) {
            closing.push_back(db);
        } else {
            m_idle.push_back({connectionString, db, identity, Clock::now()});
            if (m_idle.size() > kMostIdle) {
                closing.push_back(m_idle.front().db);
                m_idle.erase(m_idle.begin());
            }
            StartReaper();
            WakeReaper();
        }
    }
    CloseAll(closing);
}

void SessionPool::SetTimeout(std::chrono::milliseconds idle)
{
    std::vector<sqlite3*> expired;
    {
        std::lock_guard lock(m_mutex);
        ForgetParentsSessions();
        m_timeout = idle;
        expired = TakeExpired(Clock::now());
        WakeReaper();
    }
    CloseAll(expired);
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
        if (m_idle.empty())
            reaper.wake.wait(lock);
        else
            reaper.wake.wait_until(lock, m_idle.front().idleSince + m_timeout);
        std::vector<sqlite3*> expired = TakeExpired(Clock::now());
        if (expired.empty())
            continue;
        lock.unlock();
        CloseAll(expired);
        lock.lock();
    }
}

std::vector<sqlite3*> SessionPool::TakeExpired(Clock::time_point now)
{
    std::vector<sqlite3*> expired;
    while (!m_idle.empty() && (m_stopping || m_idle.front().idleSince + m_timeout <= now)) {
        expired.push_back(m_idle.front().db);
        m_idle.erase(m_idle.begin());
    }
    return expired;
}

}  // namespace pollenta::ado
