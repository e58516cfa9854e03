#pragma once
// One open SQLite handle together with what is kept for it from one use to
// the next: its prepared statements and the descriptions of its tables.
// Connections use it, the session pool keeps it between connections, and
// all of it goes when the handle closes.

#include "StatementCache.h"
#include "TableCache.h"

#include <sqlite3.h>

#include <memory>

namespace pollenta::ado {

class DatabaseSession {
public:
    // Takes over the open `db`.
    explicit DatabaseSession(sqlite3* db) : m_db(db), m_statements(db) {}

    sqlite3* Handle() const { return m_db.get(); }
    StatementCache& Statements() { return m_statements; }
    TableCache& Tables() { return m_tables; }

    // Whether the next connection can take the handle up as it is: no
    // transaction open and no statement but the idle kept ones.
    bool IsReusable() const;

private:
    struct Close {
        void operator()(sqlite3* db) const { sqlite3_close_v2(db); }
    };

    // First, so that it closes after the statements are finalized.
    std::unique_ptr<sqlite3, Close> m_db;
    StatementCache m_statements;
    TableCache m_tables;
};

}  // namespace pollenta::ado
