#include "SqlDatabase.h"

#include "MapiError.h"
#include "mapi/MapiCodes.h"

#include <sqlite3.h>

namespace pollenta::mapi {

CSqlDatabase::CSqlDatabase(const std::string& path) : m_path(path)
{
    int rc = sqlite3_open_v2(path.c_str(), &m_db, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE | SQLITE_OPEN_FULLMUTEX,
                             nullptr);
    if (rc != SQLITE_OK) {
        std::string text = m_db ? sqlite3_errmsg(m_db) : "out of memory";
        sqlite3_close(m_db);
        m_db = nullptr;
        throw CMapiError(MAPI_E_DISK_ERROR, "Cannot open the store file \"" + path + "\": " + text);
    }
    // Several processes may share a store file; a writer waits for another
    // rather than failing at once.
    sqlite3_busy_timeout(m_db, 10000);
}

CSqlDatabase::~CSqlDatabase()
{
    for (const auto& [sql, stmt] : m_prepared) sqlite3_finalize(stmt);
    sqlite3_close(m_db);
}

sqlite3_stmt* CSqlDatabase::TakePrepared(const std::string& sql)
{
    std::lock_guard lock(m_preparedLock);
    auto kept = m_prepared.find(sql);
    if (kept == m_prepared.end()) return nullptr;
    sqlite3_stmt* stmt = kept->second;
    m_prepared.erase(kept);
    return stmt;
}

void CSqlDatabase::GivePrepared(sqlite3_stmt* stmt)
{
    std::lock_guard lock(m_preparedLock);
    m_prepared.emplace(sqlite3_sql(stmt), stmt);
}

void CSqlDatabase::Exec(const std::string& sql)
{
    char* error = nullptr;
    int rc = sqlite3_exec(m_db, sql.c_str(), nullptr, nullptr, &error);
    sqlite3_free(error);
    if (rc != SQLITE_OK) Fail(m_db, rc, sql);
}

LONGLONG CSqlDatabase::LastInsertId() const { return sqlite3_last_insert_rowid(m_db); }

int CSqlDatabase::Changes() const { return sqlite3_changes(m_db); }

void CSqlDatabase::Fail(sqlite3* db, int rc, const std::string& what)
{
    std::string text = std::string(sqlite3_errstr(rc)) + " (" + (db ? sqlite3_errmsg(db) : "") + ")";
    int primary = rc & 0xFF;
    if (primary == SQLITE_CORRUPT || primary == SQLITE_NOTADB)
        throw CMapiError(MAPI_E_CORRUPT_STORE, "The store file is damaged: " + text);
    if (primary == SQLITE_FULL) throw CMapiError(MAPI_E_NOT_ENOUGH_DISK, "The disk is full: " + text);
    if (primary == SQLITE_BUSY || primary == SQLITE_LOCKED)
        throw CMapiError(MAPI_E_BUSY, "The store file is busy: " + text);
    if (primary == SQLITE_NOMEM) throw CMapiError(MAPI_E_NOT_ENOUGH_MEMORY, "Out of memory: " + text);
    throw CMapiError(MAPI_E_DISK_ERROR, "Store file error in " + what + ": " + text);
}

}  // namespace pollenta::mapi
