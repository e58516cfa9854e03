#include "TableCache.h"

#include "StatementCache.h"

namespace pollenta::ado {

namespace {

// Beyond this many tables the descriptions start again from none.
constexpr std::size_t kMostTables = 64;

}  // namespace

int TableCache::ReadSchemaVersion(StatementCache& statements, int& version)
{
    int rc = SQLITE_OK;
    CachedStatement cookie = statements.Take("PRAGMA schema_version", rc);
    if (rc == SQLITE_OK && (rc = cookie.Step()) == SQLITE_ROW) {
        version = sqlite3_column_int(cookie.Get(), 0);
        rc = SQLITE_OK;
    }
    return rc;
}

int TableCache::Find(StatementCache& statements, const std::string& requested, const TableDescription*& table)
{
    table = nullptr;
    // Read before the description, so that a change made meanwhile leaves
    // the description marked as older than it is, never newer.
    int version = 0;
    int rc = ReadSchemaVersion(statements, version);
    if (rc != SQLITE_OK)
        return rc;
    if (version != m_schemaVersion) {
        m_tables.clear();
        m_schemaVersion = version;
    }
    if (const auto found = m_tables.find(requested); found != m_tables.end()) {
        table = &found->second;
        return SQLITE_OK;
    }
    TableDescription described;
    rc = DescribeTable(statements, requested, described);
    if (rc != SQLITE_OK)
        return rc;
    if (m_tables.size() >= kMostTables)
        m_tables.clear();
    table = &m_tables.emplace(requested, std::move(described)).first->second;
    return SQLITE_OK;
}

}  // namespace pollenta::ado
