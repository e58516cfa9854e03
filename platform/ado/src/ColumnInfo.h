#pragma once

#include "ado/AdoEnums.h"

#include <string>

namespace pollenta::ado {

// One column as a recordset shows it.
struct ColumnInfo {
    std::string name;
    DataTypeEnum type = adLongVarWChar;
    LONG definedSize = 0;
    LONG attributes = 0;
    // Numbered by the database (SQLite's alias of the row id): read-only.
    bool autoNumbered = false;
};

// The ADO type of a column declared in SQLite: the usual SQL and Access type
// names (INTEGER, VARCHAR(n), TEXT, BIT, DATETIME, CURRENCY, ...) map to
// their ADO types; any other name follows SQLite's affinity rules.
ColumnInfo DescribeColumn(const std::string& name, const std::string& declaredType, bool notNull, bool primaryKey);

// Makes a described column the table's auto-numbered key.
void MarkAutoNumbered(ColumnInfo& column);

}  // namespace pollenta::ado
