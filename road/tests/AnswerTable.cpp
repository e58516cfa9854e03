#include "AnswerTable.h"

#include "RoadFailure.h"

#include <sqlite3.h>

std::vector<AnswerRecord> ReadAnswerTable(const std::filesystem::path& database, const std::string& table)
{
    sqlite3* db = nullptr;
    Require(sqlite3_open_v2(database.c_str(), &db, SQLITE_OPEN_READONLY, nullptr) == SQLITE_OK,
            "cannot open " + database.string());
    std::string quoted = "\"";
    for (char c : table)
        quoted += c == '"' ? std::string("\"\"") : std::string(1, c);
    quoted += "\"";
    sqlite3_stmt* statement = nullptr;
    const int rc = sqlite3_prepare_v2(db, ("SELECT * FROM " + quoted).c_str(), -1, &statement, nullptr);
    std::vector<AnswerRecord> records;
    while (rc == SQLITE_OK && sqlite3_step(statement) == SQLITE_ROW) {
        AnswerRecord record;
        for (int i = 0; i < sqlite3_column_count(statement); ++i) {
            const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(statement, i));
            record[sqlite3_column_name(statement, i)] = text ? text : kNull;
        }
        records.push_back(record);
    }
    const std::string error = sqlite3_errmsg(db);
    sqlite3_finalize(statement);
    sqlite3_close(db);
    Require(rc == SQLITE_OK, "cannot read the table " + table + ": " + error);
    return records;
}
