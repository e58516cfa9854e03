#pragma once
// A prepared SQLite statement that is finalised when it goes out of scope.

#include <sqlite3.h>

#include <string>
#include <utility>

namespace pollenta::ado {

class Statement {
public:
    Statement() = default;
    ~Statement() { sqlite3_finalize(m_statement); }
    Statement(Statement&& other) noexcept : m_statement(std::exchange(other.m_statement, nullptr)) {}
    Statement(const Statement&) = delete;
    Statement& operator=(const Statement&) = delete;
    Statement& operator=(Statement&& other) noexcept
    {
        std::swap(m_statement, other.m_statement);
        return *this;
    }

    // Prepares the first statement of `sql`; `tail` (when given) receives
    // the position after it.
    int Prepare(sqlite3* db, const std::string& sql, const char** tail = nullptr)
    {
        sqlite3_finalize(std::exchange(m_statement, nullptr));
        return sqlite3_prepare_v2(db, sql.c_str(), static_cast<int>(sql.size() + 1), &m_statement, tail);
    }
    int Prepare(sqlite3* db, const char* sql, const char** tail)
    {
        sqlite3_finalize(std::exchange(m_statement, nullptr));
        return sqlite3_prepare_v2(db, sql, -1, &m_statement, tail);
    }
    sqlite3_stmt* Get() const { return m_statement; }
    int Step() { return sqlite3_step(m_statement); }

private:
    sqlite3_stmt* m_statement = nullptr;
};

}  // namespace pollenta::ado
