#pragma once
// An SQLite database file; failures throw CMapiError with the store error
// that fits (a damaged file gives MAPI_E_CORRUPT_STORE).

#include "SqlStatement.h"

#include <mutex>
#include <string>
#include <unordered_map>

namespace pollenta::mapi {

class CSqlDatabase {
public:
    explicit CSqlDatabase(const std::string& path);
    ~CSqlDatabase();
    CSqlDatabase(const CSqlDatabase&) = delete;
    CSqlDatabase& operator=(const CSqlDatabase&) = delete;

    void Exec(const std::string& sql);
    LONGLONG LastInsertId() const;
    // Rows changed by the last statement.
    int Changes() const;
    sqlite3* Handle() const { return m_db; }
    const std::string& Path() const { return m_path; }

    // Throws the CMapiError for an SQLite result code.
    [[noreturn]] static void Fail(sqlite3* db, int rc, const std::string& what);

    // A kept statement of that text not in use now, or null; CSqlStatement
    // takes and gives them.
    sqlite3_stmt* TakePrepared(const std::string& sql);
    void GivePrepared(sqlite3_stmt* stmt);

private:
    std::string m_path;
    sqlite3* m_db = nullptr;
    std::mutex m_preparedLock;
    std::unordered_multimap<std::string, sqlite3_stmt*> m_prepared;
};

}  // namespace pollenta::mapi
