#include "TableDescription.h"

#include "StatementCache.h"

#include "win/CaseFolding.h"

namespace pollenta::ado {

namespace {

int BindText(sqlite3_stmt* statement, const std::string& text)
{
    return sqlite3_bind_text(statement, 1, text.data(), static_cast<int>(text.size()), SQLITE_STATIC);
}

std::string ColumnText(sqlite3_stmt* statement, int column)
{
    const unsigned char* text = sqlite3_column_text(statement, column);
    return text ? reinterpret_cast<const char*>(text) : "";
}

int FindTable(StatementCache& statements, const std::string& requested, TableDescription& table)
{
    int rc = SQLITE_OK;
    CachedStatement find = statements.Take("SELECT name, type FROM sqlite_master WHERE type IN ('table', 'view') "
                                           "ORDER BY name <> ?1",
                                           rc);
    if (rc == SQLITE_OK)
        rc = BindText(find.Get(), requested);
    while (rc == SQLITE_OK && (rc = find.Step()) == SQLITE_ROW) {
        std::string found = ColumnText(find.Get(), 0);
        if (EqualsNoCase(found, requested)) {
            table.name = std::move(found);
            table.view = ColumnText(find.Get(), 1) == "view";
            return SQLITE_OK;
        }
        rc = SQLITE_OK;
    }
    return rc;
}

int HasKeyIndex(StatementCache& statements, const std::string& table, bool& keyIndex)
{
    int rc = SQLITE_OK;
    CachedStatement indexes =
        statements.Take("SELECT count(*) FROM pragma_index_list(?1) WHERE origin = 'pk'", rc);
    if (rc == SQLITE_OK)
        rc = BindText(indexes.Get(), table);
    if (rc == SQLITE_OK && (rc = indexes.Step()) == SQLITE_ROW) {
        keyIndex = sqlite3_column_int(indexes.Get(), 0) > 0;
        rc = SQLITE_OK;
    }
    return rc;
}

int ReadColumns(StatementCache& statements, TableDescription& table)
{
    int rc = SQLITE_OK;
    CachedStatement columns = statements.Take("SELECT name, type, \"notnull\", pk FROM pragma_table_info(?1)", rc);
    if (rc == SQLITE_OK)
        rc = BindText(columns.Get(), table.name);
    int keyColumns = 0;
    LONG integerKey = -1;
    while (rc == SQLITE_OK && (rc = columns.Step()) == SQLITE_ROW) {
        const std::string declared = ColumnText(columns.Get(), 1);
        const bool key = sqlite3_column_int(columns.Get(), 3) != 0;
        if (key) {
            ++keyColumns;
            if (sqlite3_stricmp(declared.c_str(), "INTEGER") == 0)
                integerKey = static_cast<LONG>(table.columns.size());
        }
        table.columns.push_back(
            DescribeColumn(ColumnText(columns.Get(), 0), declared, sqlite3_column_int(columns.Get(), 2) != 0, key));
        rc = SQLITE_OK;
    }
    if (rc != SQLITE_DONE)
        return rc;
    columns.GiveBack();
    // An INTEGER key of its own is SQLite's row id, numbered by the
    // database, unless an index stands behind the key (WITHOUT ROWID tables
    // and "INTEGER PRIMARY KEY DESC").
    if (keyColumns != 1 || integerKey < 0)
        return SQLITE_OK;
    bool keyIndex = false;
    rc = HasKeyIndex(statements, table.name, keyIndex);
    if (rc == SQLITE_OK && !keyIndex)
        MarkAutoNumbered(table.columns[integerKey]);
    return rc;
}

}  // namespace

int DescribeTable(StatementCache& statements, const std::string& requested, TableDescription& table)
{
    table = TableDescription();
    const int rc = FindTable(statements, requested, table);
    return rc == SQLITE_OK ? ReadColumns(statements, table) : rc;
}

}  // namespace pollenta::ado
