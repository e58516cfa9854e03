#pragma once

#include <sys/types.h>

#include <chrono>
#include <condition_variable>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace pollenta::ado {

class DatabaseSession;

// Which file a handle opened: device and inode.
struct FileIdentity {
    dev_t device = 0;
    ino_t inode = 0;
    bool known = false;

    // The file that `path` names now; unknown when there is none.
    static FileIdentity Of(const std::string& path);
    bool operator==(const FileIdentity& other) const = default;
};

// The database sessions of closed connections, by connection string, until
// they are taken up again or have been idle too long.
class SessionPool {
public:
    static SessionPool& Instance();
    ~SessionPool();

    // A kept session of `connectionString` whose file is still the one at
    // `path`, or null. Kept sessions of a file deleted or replaced since are
    // closed.
    std::unique_ptr<DatabaseSession> Take(const std::string& connectionString, const std::string& path,
                                          FileIdentity& identity);
    // Keeps the session of a closing connection, or closes it when it cannot
    // be reused as it is (a transaction or a statement still open).
    void Give(const std::string& connectionString, std::unique_ptr<DatabaseSession> session,
              const FileIdentity& identity);
    void SetTimeout(std::chrono::milliseconds idle);

private:
    using Clock = std::chrono::steady_clock;
    using Sessions = std::vector<std::unique_ptr<DatabaseSession>>;
    struct IdleSession {
        std::string connectionString;
        std::unique_ptr<DatabaseSession> session;
        FileIdentity identity;
        Clock::time_point idleSince;
    };

    // The thread that closes idle handles, and what wakes it; one per
    // process.
    struct Reaper {
        std::condition_variable wake;
        std::thread thread;
        // Asleep with nothing to close, until woken: the one time a session
        // given to the pool must wake it. Otherwise it sleeps until the
        // oldest session is due, which a newer one does not change.
        bool waitsForAny = false;
    };

    SessionPool() = default;
    void ForgetParentsSessions();
    void WakeReaper();
    void StartReaper();
    void Reap(Reaper& reaper);
    Sessions TakeExpired(Clock::time_point now);

    std::mutex m_mutex;
    std::vector<IdleSession> m_idle;  // oldest first
    std::chrono::milliseconds m_timeout{60000};
    std::unique_ptr<Reaper> m_reaper;
    bool m_stopping = false;
    pid_t m_owner = 0;
};

}  // namespace pollenta::ado
