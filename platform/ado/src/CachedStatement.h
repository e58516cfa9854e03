#pragma once
// A statement lent by a StatementCache: it goes back to the cache, reset and
// with its bindings cleared, when the loan ends.

#include <sqlite3.h>

#include <string>
#include <utility>

namespace pollenta::ado {

class StatementCache;

class CachedStatement {
public:
    CachedStatement() = default;
    CachedStatement(StatementCache* cache, std::string sql, sqlite3_stmt* statement)
        : m_cache(cache), m_sql(std::move(sql)), m_statement(statement)
    {
    }
    ~CachedStatement() { GiveBack(); }
    CachedStatement(CachedStatement&& other) noexcept
        : m_cache(std::exchange(other.m_cache, nullptr)), m_sql(std::move(other.m_sql)),
          m_statement(std::exchange(other.m_statement, nullptr))
    {
    }
    CachedStatement& operator=(CachedStatement&& other) noexcept
    {
        std::swap(m_cache, other.m_cache);
        std::swap(m_sql, other.m_sql);
        std::swap(m_statement, other.m_statement);
        return *this;
    }
    CachedStatement(const CachedStatement&) = delete;
    CachedStatement& operator=(const CachedStatement&) = delete;

    sqlite3_stmt* Get() const { return m_statement; }
    int Step() { return sqlite3_step(m_statement); }
    // Ends the loan now instead of at the end of the scope.
    void GiveBack();

private:
    StatementCache* m_cache = nullptr;
    std::string m_sql;
    sqlite3_stmt* m_statement = nullptr;
};

}  // namespace pollenta::ado
