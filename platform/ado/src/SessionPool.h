#pragma once

#include <sys/types.h>

#include <chrono>
#include <condition_variable>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

struct sqlite3;

namespace pollenta::ado {

// Which file a handle opened: device and inode.
struct FileIdentity {
    dev_t device = 0;
    ino_t inode = 0;
    bool known = false;

    // The file that `path` names now; unknown when there is none.
    static FileIdentity Of(const std::string& path);
    bool operator==(const FileIdentity& other) const = default;
};

// The database handles of closed connections, by connection string, until
// they are taken up again or have been idle too long.
class SessionPool {
public:
    static SessionPool& Instance();
    ~SessionPool();

    // A kept handle of `connectionString` whose file is still the one at
    // `path`, or null. Kept handles of a file deleted or replaced since are
    // closed.
    sqlite3* Take(const std::string& connectionString, const std::string& path, FileIdentity& identity);
    // Keeps the handle of a closing connection, or closes it when it cannot
    // be reused as it is (a transaction or a statement still open).
    void Give(const std::string& connectionString, sqlite3* db, const FileIdentity& identity);
    void SetTimeout(std::chrono::milliseconds idle);

private:
    using Clock = std::chrono::steady_clock;
    struct Session {
        std::string connectionString;
        sqlite3* db;
        FileIdentity identity;
        Clock::time_point idleSince;
    };

    // The thread that closes idle handles, and what wakes it; one per
    // process.
    struct Reaper {
        std::condition_variable wake;
        std::thread thread;
    };

    SessionPool() = default;
    void ForgetParentsSessions();
    void WakeReaper();
    void StartReaper();
    void Reap(Reaper& reaper);
    std::vector<sqlite3*> TakeExpired(Clock::time_point now);

    std::mutex m_mutex;
    std::vector<Session> m_idle;  // oldest first
    std::chrono::milliseconds m_timeout{60000};
    std::unique_ptr<Reaper> m_reaper;
    bool m_stopping = false;
    pid_t m_owner = 0;
};

}  // namespace pollenta::ado
