#pragma once
// Values on their way between a field and its SQLite column.

#include "ColumnInfo.h"

#include "com/ComVariant.h"

struct sqlite3_stmt;

namespace pollenta::ado {

// Converts a value put into a field to the field's type. On failure `out` is
// unchanged, `fieldStatus` says why (adFieldCantConvertValue,
// adFieldDataOverflow) and the result is the provider's error code.
HRESULT ConvertForColumn(const ColumnInfo& column, const VARIANT& value, CComVariant& out, LONG& fieldStatus);

// Binds a converted value to parameter `index` (from 1); an SQLite result code.
int BindValue(sqlite3_stmt* statement, int index, const VARIANT& value);

// Reads column `index` (from 0) of the current row as a value of `type`.
void ReadValue(sqlite3_stmt* statement, int index, DataTypeEnum type, CComVariant& out);

}  // namespace pollenta::ado
