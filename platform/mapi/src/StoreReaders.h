#pragma once
// Connections of their own for the threads that read a store file while
// another thread writes it. The file keeps its write-ahead log, so a read
// never waits for a write transaction, and a read that starts after a
// commit returned sees what it wrote.

#include "SqlDatabase.h"

#include <memory>
#include <mutex>
#include <string>
#include <vector>

namespace pollenta::mapi {

class CStoreReaders {
public:
    explicit CStoreReaders(std::string path) : m_path(std::move(path)) {}

    // Runs `read(db)` on a connection not in use by another thread; every
    // statement of it sees the same committed state of the file. Reads
    // nested in it on the same thread share its connection.
    template <class Read>
    decltype(auto) Run(Read&& read)
    {
        if (t_current.readers == this) return read(*t_current.db);
        Scope scope(*this);
        return read(*scope.m_db);
    }

    // Copies what the log holds into the file without waiting for readers
    // or writers: what it cannot copy now is copied by a later one.
    void Checkpoint();

private:
    // A connection taken for a read on this thread, in a read transaction.
    struct Scope {
        explicit Scope(CStoreReaders& readers);
        ~Scope();
        CStoreReaders& m_readers;
        std::unique_ptr<CSqlDatabase> m_db;
        struct Current {
            const CStoreReaders* readers = nullptr;
            CSqlDatabase* db = nullptr;
        } m_outer;
    };

    std::unique_ptr<CSqlDatabase> Take();
    void Give(std::unique_ptr<CSqlDatabase> db);

    static thread_local Scope::Current t_current;

    std::string m_path;
    std::mutex m_lock;
    std::vector<std::unique_ptr<CSqlDatabase>> m_idle;
};

}  // namespace pollenta::mapi
