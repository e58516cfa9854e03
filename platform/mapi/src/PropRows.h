#pragma once
// Properties kept as rows of a `props(obj, id, type, value)` table, the
// form both store files and address book files use.

#include "PropValue.h"
#include "SqlDatabase.h"

#include <span>
#include <string>

namespace pollenta::mapi {

class CPropRows {
public:
    static const std::string kSchema;
    // Files written by earlier versions index every value as well; this
    // drops that index. True when there was one.
    static bool DropValueIndex(CSqlDatabase& db);
    // Files written by earlier versions keep each value inside the table's
    // key; this rebuilds the table with the values beside it. True when it
    // was rebuilt.
    static bool KeepValuesOutOfTheKey(CSqlDatabase& db);
    static CPropMap Load(CSqlDatabase& db, LONGLONG obj);
    // The value in `column` of a row of a query, kept as its property type
    // keeps it.
    static CPropValue Read(CSqlStatement& stmt, ULONG tag, int column);
    static bool LoadOne(CSqlDatabase& db, LONGLONG obj, ULONG propId, CPropValue& value);
    static void Set(CSqlDatabase& db, LONGLONG obj, const CPropValue& value);
    // Sets each of the values; their property ids differ.
    static void SetAll(CSqlDatabase& db, LONGLONG obj, std::span<const CPropValue* const> values);
    static void Replace(CSqlDatabase& db, LONGLONG obj, const CPropMap& props);
    // For an object that has no properties yet.
    static void Insert(CSqlDatabase& db, LONGLONG obj, const CPropMap& props);
    static void Clear(CSqlDatabase& db, LONGLONG obj);
    static void Remove(CSqlDatabase& db, LONGLONG obj, ULONG propId);
    // Binds a value in the column type its property type is kept in.
    static void Bind(CSqlStatement& stmt, int index, const CPropValue& value);
};

}  // namespace pollenta::mapi
