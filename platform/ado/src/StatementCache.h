#pragma once
// The prepared statements of one database handle, by SQL text, so that SQL
// run again and again (a table's description, a record's insert, BEGIN and
// COMMIT) is parsed once per handle instead of once per call. SQLite
// prepares a kept statement again by itself when the schema changed.
//
//     CachedStatement find = cache.Take("SELECT ... WHERE name = ?1", rc);
//     if (rc == SQLITE_OK) ... find.Step() ...
//     // back in the cache, reset, at the end of the scope

#include "CachedStatement.h"

#include <cstddef>
#include <list>
#include <string>
#include <unordered_map>

namespace pollenta::ado {

class StatementCache {
public:
    explicit StatementCache(sqlite3* db) : m_db(db) {}
    // Finalizes every kept statement; the handle must still be open.
    ~StatementCache();
    StatementCache(const StatementCache&) = delete;
    StatementCache& operator=(const StatementCache&) = delete;

    // The statement for `sql`, which must be one statement: the kept one,
    // else a new one. `rc` is an SQLite result code (SQLITE_MISUSE for
    // blank SQL or more than one statement); on failure the statement is
    // empty.
    CachedStatement Take(const std::string& sql, int& rc);
    // Runs `sql` to its end, as sqlite3_exec would, with no rows expected.
    int Run(const std::string& sql);
    // How many statements are kept, not counting those lent out.
    std::size_t Size() const { return m_statements.size(); }

private:
    friend class CachedStatement;
    struct Kept {
        std::string sql;
        sqlite3_stmt* statement;
    };
    void Keep(std::string sql, sqlite3_stmt* statement);
    void DropOldest();

    sqlite3* m_db;
    std::list<Kept> m_statements;  // last used first
    std::unordered_map<std::string, std::list<Kept>::iterator> m_bySql;
};

}  // namespace pollenta::ado
