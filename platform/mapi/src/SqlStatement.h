#pragma once
// A prepared SQLite statement; failures throw CMapiError.

#include "win/Types.h"

#include <string>

struct sqlite3;
struct sqlite3_stmt;

namespace pollenta::mapi {

class CSqlStatement {
public:
    CSqlStatement(sqlite3* db, const std::string& sql);
    ~CSqlStatement();
    CSqlStatement(const CSqlStatement&) = delete;
    CSqlStatement& operator=(const CSqlStatement&) = delete;

    // Parameters count from 1, as SQLite counts them.
    CSqlStatement& Bind(int index, LONGLONG value);
    CSqlStatement& Bind(int index, double value);
    CSqlStatement& BindText(int index, const std::string& value);
    CSqlStatement& BindBlob(int index, const std::string& value);
    CSqlStatement& BindNull(int index);
    // True while there is a row; false at the end.
    bool Step();
    void Run() { Step(); }
    void Reset();

    bool IsNull(int column) const;
    LONGLONG Int(int column) const;
    double Real(int column) const;
    std::string Blob(int column) const;

private:
    sqlite3* m_db;
    sqlite3_stmt* m_stmt = nullptr;
};

}  // namespace pollenta::mapi
