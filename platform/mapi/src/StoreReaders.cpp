#include "StoreReaders.h"

#include "SqlStatement.h"

#include <sqlite3.h>

namespace pollenta::mapi {

thread_local CStoreReaders::Scope::Current CStoreReaders::t_current;

CStoreReaders::Scope::Scope(CStoreReaders& readers) : m_readers(readers), m_db(readers.Take()), m_outer(t_current)
{
    try {
        CSqlStatement(*m_db, "BEGIN").Run();
    } catch (...) {
        m_readers.Give(std::move(m_db));
        throw;
    }
    t_current = {&m_readers, m_db.get()};
}

CStoreReaders::Scope::~Scope()
{
    t_current = m_outer;
    // A read transaction ends without anything to write; a connection
    // whose transaction would not end is dropped rather than kept with a
    // stale view of the file.
    try {
        CSqlStatement(*m_db, "COMMIT").Run();
    } catch (...) {
        return;
    }
    m_readers.Give(std::move(m_db));
}

std::unique_ptr<CSqlDatabase> CStoreReaders::Take()
{
    {
        std::lock_guard lock(m_lock);
        if (!m_idle.empty()) {
            std::unique_ptr<CSqlDatabase> db = std::move(m_idle.back());
            m_idle.pop_back();
            return db;
        }
    }
    return std::make_unique<CSqlDatabase>(m_path);
}

void CStoreReaders::Give(std::unique_ptr<CSqlDatabase> db)
{
    std::lock_guard lock(m_lock);
    m_idle.push_back(std::move(db));
}

void CStoreReaders::Checkpoint()
{
    std::unique_ptr<CSqlDatabase> db = Take();
    sqlite3_wal_checkpoint_v2(db->Handle(), nullptr, SQLITE_CHECKPOINT_PASSIVE, nullptr, nullptr);
    Give(std::move(db));
}

}  // namespace pollenta::mapi
