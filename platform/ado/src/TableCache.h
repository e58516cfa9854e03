#pragma once
// The descriptions of the tables a database handle has opened, kept while
// the database's schema stays as it was. The schema cookie, which every
// change of the schema by any connection or process moves on, says when it
// changed.

#include "TableDescription.h"

#include <string>
#include <unordered_map>

namespace pollenta::ado {

class TableCache {
public:
    // The description of the table or view named `requested` (see
    // DescribeTable), read anew when the schema changed since it was read.
    // An SQLite result code: SQLITE_DONE when there is no such table.
    int Find(StatementCache& statements, const std::string& requested, const TableDescription*& table);
    // Drops every description: the handle's own SQL may have changed its
    // temporary tables, which the cookie of the database does not count.
    void Forget() { m_tables.clear(); }

private:
    int ReadSchemaVersion(StatementCache& statements, int& version);

    int m_schemaVersion = 0;
    std::unordered_map<std::string, TableDescription> m_tables;  // by name as requested
};

}  // namespace pollenta::ado
