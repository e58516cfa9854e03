#pragma once
// An SQLite file that a test writes and reads back with the sqlite3 library
// itself, outside the ADO objects.

#include <gtest/gtest.h>
#include <sqlite3.h>

#include <string>

class SqliteTestFile {
public:
    explicit SqliteTestFile(std::string path = {}) : m_path(std::move(path)) {}

    void SetPath(std::string path) { m_path = std::move(path); }
    const std::string& Path() const { return m_path; }

    void Sql(const std::string& sql) const
    {
        sqlite3* db = nullptr;
        ASSERT_EQ(sqlite3_open(m_path.c_str(), &db), SQLITE_OK);
        char* error = nullptr;
        EXPECT_EQ(sqlite3_exec(db, sql.c_str(), nullptr, nullptr, &error), SQLITE_OK) << (error ? error : "");
        sqlite3_free(error);
        sqlite3_close(db);
    }

    // The first column of the first row of a query, as text ("NULL" for null).
    std::string Scalar(const std::string& sql) const
    {
        sqlite3* db = nullptr;
        sqlite3_open(m_path.c_str(), &db);
        sqlite3_stmt* statement = nullptr;
        std::string value = "<no row>";
        if (sqlite3_prepare_v2(db, sql.c_str(), -1, &statement, nullptr) == SQLITE_OK &&
            sqlite3_step(statement) == SQLITE_ROW) {
            const unsigned char* text = sqlite3_column_text(statement, 0);
            value = text ? reinterpret_cast<const char*>(text) : "NULL";
        }
        sqlite3_finalize(statement);
        sqlite3_close(db);
        return value;
    }

private:
    std::string m_path;
};
