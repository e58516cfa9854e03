#pragma once
// The answer database as the wizard's dialogs see it, through ADO: its
// tables, and dropping one. A failure throws WEDatabaseError with the ADO
// code and the provider's description.

#include "win/Types.h"

#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

class WEDatabaseError : public std::runtime_error {
public:
    WEDatabaseError(HRESULT code, const std::string& text) : std::runtime_error(text), m_code(code) {}
    HRESULT Code() const { return m_code; }

private:
    HRESULT m_code;
};

struct WETableEntry {
    std::string type;
    std::string name;
};

// Every table and view, in the schema rowset's order.
std::vector<WETableEntry> ListTables(const std::string& connectionString);
// Whether a table or view of that name exists, compared as SQLite compares
// names (ASCII letters without regard to case); the name never becomes SQL
// text, so apostrophes and brackets are ordinary characters.
bool TableExists(const std::string& connectionString, const std::string& table);
void DropTable(const std::string& connectionString, const std::string& table);
// The table's name as SQL text: in double quotes, inner quotes doubled, so
// that any name the database holds can be named.
std::string QuoteTableName(const std::string& table);
