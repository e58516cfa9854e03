#include "DatabaseSession.h"

namespace pollenta::ado {

bool DatabaseSession::IsReusable() const
{
    if (!sqlite3_get_autocommit(m_db.get()))
        return false;
    // Every kept statement is one of the handle's, so as many statements as
    // are kept means that none is anyone else's.
    std::size_t statements = 0;
    for (sqlite3_stmt* statement = sqlite3_next_stmt(m_db.get(), nullptr); statement;
         statement = sqlite3_next_stmt(m_db.get(), statement)) {
        if (sqlite3_stmt_busy(statement))
            return false;
        ++statements;
    }
    return statements == m_statements.Size();
}

}  // namespace pollenta::ado
