#include "SqlStatement.h"

#include "SqlDatabase.h"

#include <sqlite3.h>

namespace pollenta::mapi {

CSqlStatement::CSqlStatement(sqlite3* db, const std::string& sql) : m_db(db)
{
    int rc = sqlite3_prepare_v2(db, sql.c_str(), static_cast<int>(sql.size()), &m_stmt, nullptr);
    if (rc != SQLITE_OK) CSqlDatabase::Fail(db, rc, "prepare");
}

CSqlStatement::CSqlStatement(CSqlDatabase& db, const std::string& sql)
    : m_db(db.Handle()), m_stmt(db.TakePrepared(sql)), m_keeper(&db)
{
    if (m_stmt) return;
    int rc = sqlite3_prepare_v3(m_db, sql.c_str(), static_cast<int>(sql.size()), SQLITE_PREPARE_PERSISTENT, &m_stmt,
                                nullptr);
    if (rc != SQLITE_OK) CSqlDatabase::Fail(m_db, rc, "prepare");
}

CSqlStatement::~CSqlStatement()
{
    if (m_keeper && m_stmt) {
        Reset();
        m_keeper->GivePrepared(m_stmt);
    } else {
        sqlite3_finalize(m_stmt);
    }
}

CSqlStatement& CSqlStatement::Bind(int index, LONGLONG value)
{
    sqlite3_bind_int64(m_stmt, index, value);
    return *this;
}

CSqlStatement& CSqlStatement::Bind(int index, double value)
{
    sqlite3_bind_double(m_stmt, index, value);
    return *this;
}

CSqlStatement& CSqlStatement::BindText(int index, const std::string& value)
{
    sqlite3_bind_text(m_stmt, index, value.data(), static_cast<int>(value.size()), SQLITE_TRANSIENT);
    return *this;
}

CSqlStatement& CSqlStatement::BindBlob(int index, const std::string& value)
{
    sqlite3_bind_blob(m_stmt, index, value.data(), static_cast<int>(value.size()), SQLITE_TRANSIENT);
    return *this;
}

CSqlStatement& CSqlStatement::BindNull(int index)
{
    sqlite3_bind_null(m_stmt, index);
    return *this;
}

bool CSqlStatement::Step()
{
    int rc = sqlite3_step(m_stmt);
    if (rc == SQLITE_ROW) return true;
    if (rc == SQLITE_DONE) return false;
    CSqlDatabase::Fail(m_db, rc, "step");
}

void CSqlStatement::Reset()
{
    sqlite3_reset(m_stmt);
    sqlite3_clear_bindings(m_stmt);
}

bool CSqlStatement::IsNull(int column) const { return sqlite3_column_type(m_stmt, column) == SQLITE_NULL; }

LONGLONG CSqlStatement::Int(int column) const { return sqlite3_column_int64(m_stmt, column); }

double CSqlStatement::Real(int column) const { return sqlite3_column_double(m_stmt, column); }

std::string CSqlStatement::Blob(int column) const
{
    const void* data = sqlite3_column_blob(m_stmt, column);
    int size = sqlite3_column_bytes(m_stmt, column);
    return data ? std::string(static_cast<const char*>(data), static_cast<std::size_t>(size)) : std::string();
}

}  // namespace pollenta::mapi
