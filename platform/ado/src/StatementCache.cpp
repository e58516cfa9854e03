#include "StatementCache.h"

namespace pollenta::ado {

namespace {

// Beyond this many kept statements the one used longest ago goes: enough
// for the inserts of many tables, not a statement for every SQL text ever run.
constexpr std::size_t kMostKept = 64;

}  // namespace

void CachedStatement::GiveBack()
{
    if (!m_statement)
        return;
    m_cache->Keep(std::move(m_sql), std::exchange(m_statement, nullptr));
}

StatementCache::~StatementCache()
{
    for (const Kept& kept : m_statements)
        sqlite3_finalize(kept.statement);
}

CachedStatement StatementCache::Take(const std::string& sql, int& rc)
{
    rc = SQLITE_OK;
    if (const auto found = m_bySql.find(sql); found != m_bySql.end()) {
        sqlite3_stmt* statement = found->second->statement;
        m_statements.erase(found->second);
        m_bySql.erase(found);
        return CachedStatement(this, sql, statement);
    }
    sqlite3_stmt* statement = nullptr;
    const char* tail = nullptr;
    rc = sqlite3_prepare_v3(m_db, sql.c_str(), static_cast<int>(sql.size() + 1), SQLITE_PREPARE_PERSISTENT,
                            &statement, &tail);
    if (rc == SQLITE_OK && (!statement || (tail && *tail))) {
        // Only whole single statements are kept: one key, one statement.
        sqlite3_finalize(statement);
        rc = SQLITE_MISUSE;
    }
    if (rc != SQLITE_OK)
        return CachedStatement();
    return CachedStatement(this, sql, statement);
}

int StatementCache::Run(const std::string& sql)
{
    int rc = SQLITE_OK;
    CachedStatement statement = Take(sql, rc);
    if (rc != SQLITE_OK)
        return rc;
    while ((rc = statement.Step()) == SQLITE_ROW) {
    }
    return rc == SQLITE_DONE ? SQLITE_OK : rc;
}

void StatementCache::Keep(std::string sql, sqlite3_stmt* statement)
{
    sqlite3_reset(statement);
    sqlite3_clear_bindings(statement);
    if (m_bySql.count(sql)) {
        // Lent twice at once; one copy is enough.
        sqlite3_finalize(statement);
        return;
    }
    m_statements.push_front({std::move(sql), statement});
    m_bySql.emplace(m_statements.front().sql, m_statements.begin());
    if (m_statements.size() > kMostKept)
        DropOldest();
}

void StatementCache::DropOldest()
{
    m_bySql.erase(m_statements.back().sql);
    sqlite3_finalize(m_statements.back().statement);
    m_statements.pop_back();
}

}  // namespace pollenta::ado
