#pragma once
// A row set that MAPI allocated for the caller, freed with FreeProws.

#include "mapi/MapiUtil.h"

class CZrRowSetPtr {
public:
    CZrRowSetPtr() = default;
    ~CZrRowSetPtr() { Free(); }
    CZrRowSetPtr(const CZrRowSetPtr&) = delete;
    CZrRowSetPtr& operator=(const CZrRowSetPtr&) = delete;

    void Free()
    {
        if (m_rows)
            FreeProws(m_rows);
        m_rows = nullptr;
    }
    LPSRowSet* operator&()
    {
        Free();
        return &m_rows;
    }
    LPSRowSet operator->() const { return m_rows; }
    LPSRowSet get() const { return m_rows; }

private:
    LPSRowSet m_rows = nullptr;
};
