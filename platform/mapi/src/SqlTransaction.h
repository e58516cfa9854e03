#pragma once
// A write transaction that rolls back unless committed.

#include "SqlDatabase.h"

namespace pollenta::mapi {

class CSqlTransaction {
public:
    // The statements are the database's kept ones: a store begins and ends
    // a transaction for every message it writes.
    explicit CSqlTransaction(CSqlDatabase& db) : m_db(db) { CSqlStatement(m_db, "BEGIN IMMEDIATE").Run(); }
    ~CSqlTransaction()
    {
        if (!m_done) {
            try {
                CSqlStatement(m_db, "ROLLBACK").Run();
            } catch (...) {
            }
        }
    }
    CSqlTransaction(const CSqlTransaction&) = delete;
    CSqlTransaction& operator=(const CSqlTransaction&) = delete;
    void Commit()
    {
        CSqlStatement(m_db, "COMMIT").Run();
        m_done = true;
    }

private:
    CSqlDatabase& m_db;
    bool m_done = false;
};

}  // namespace pollenta::mapi
