#pragma once
// What a recordset opened on a table needs to know of it.

#include "ColumnInfo.h"

#include <string>
#include <vector>

namespace pollenta::ado {

class StatementCache;

struct TableDescription {
    std::string name;  // as the database spells it
    bool view = false;
    std::vector<ColumnInfo> columns;
};

// Reads the description of the table or view named `requested`: the one
// spelt exactly so, else the first whose name differs only in case (SQLite
// itself folds ASCII only). An SQLite result code: SQLITE_DONE when there is
// none.
int DescribeTable(StatementCache& statements, const std::string& requested, TableDescription& table);

}  // namespace pollenta::ado
