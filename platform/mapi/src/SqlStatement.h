#pragma once
// A prepared SQLite statement; failures throw CMapiError.
//
// A statement whose text is fixed in the code is made on the database
// (`CSqlStatement stmt(db, "SELECT ...")`): it is prepared once and kept by
// the database for the next use of the same text, since preparing costs
// more than running the small statements a store is made of. Texts built
// at run time (restrictions) are made on the handle and prepared each time.

#include "win/Types.h"

#include <string>

struct sqlite3;
struct sqlite3_stmt;

namespace pollenta::mapi {

class CSqlDatabase;

class CSqlStatement {
public:
    CSqlStatement(CSqlDatabase& db, const std::string& sql);
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
    CSqlDatabase* m_keeper = nullptr;  // takes the statement back for reuse
};

}  // namespace pollenta::mapi
