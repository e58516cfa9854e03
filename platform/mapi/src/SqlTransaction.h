#pragma once
// A write transaction that rolls back unless committed, and a read
// transaction that sees one state of the file for several reads.

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

// Several reads take the file's locks once rather than each its own, and
// see the file as it was at the first.
class CSqlReadTransaction {
public:
    explicit CSqlReadTransaction(CSqlDatabase& db) : m_db(db) { CSqlStatement(m_db, "BEGIN").Run(); }
    ~CSqlReadTransaction()
    {
        try {
            CSqlStatement(m_db, "COMMIT").Run();
        } catch (...) {
        }
    }
    CSqlReadTransaction(const CSqlReadTransaction&) = delete;
    CSqlReadTransaction& operator=(const CSqlReadTransaction&) = delete;

private:
    CSqlDatabase& m_db;
};

}  // namespace pollenta::mapi
