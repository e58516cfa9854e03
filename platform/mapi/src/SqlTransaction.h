#pragma once
// A write transaction that rolls back unless committed.

#include "SqlDatabase.h"

namespace pollenta::mapi {

class CSqlTransaction {
public:
    explicit CSqlTransaction(CSqlDatabase& db) : m_db(db) { m_db.Exec("BEGIN IMMEDIATE"); }
    ~CSqlTransaction()
    {
        if (!m_done) {
            try {
                m_db.Exec("ROLLBACK");
            } catch (...) {
            }
        }
    }
    CSqlTransaction(const CSqlTransaction&) = delete;
    CSqlTransaction& operator=(const CSqlTransaction&) = delete;
    void Commit()
    {
        m_db.Exec("COMMIT");
        m_done = true;
    }

private:
    CSqlDatabase& m_db;
    bool m_done = false;
};

}  // namespace pollenta::mapi
