#include "PropRows.h"

#include <algorithm>
#include <vector>

namespace pollenta::mapi {

// Restrictions and sort orders look a property up by its object and id, the
// primary key, for each row of the folder they go through; an index on the
// values would copy every value, attachments too, and no query would use it.
namespace {

// The values sit in a table of their own rows and the key (object, id) in
// an index beside it. With the value inside the key, as files of earlier
// versions keep it, every search that passes a value too long for its page
// (a body, a picture) reads that whole value to compare keys.
std::string Schema(const std::string& table)
{
    return "CREATE TABLE " + table +
           "(obj INTEGER NOT NULL, id INTEGER NOT NULL, type INTEGER NOT NULL, value, PRIMARY KEY(obj, id));";
}

// Properties of one object are written some rows to a statement: each
// statement run costs more than a row.
constexpr std::size_t kRowsAtOnce = 32;

const std::string& SetRows(std::size_t rows)
{
    static const std::vector<std::string> statements = [] {
        std::vector<std::string> texts(kRowsAtOnce + 1);
        for (std::size_t n = 1; n <= kRowsAtOnce; ++n) {
            texts[n] = "INSERT INTO props(obj, id, type, value) VALUES(?, ?, ?, ?)";
            for (std::size_t row = 1; row < n; ++row) texts[n] += ", (?, ?, ?, ?)";
            texts[n] += " ON CONFLICT(obj, id) DO UPDATE SET type = excluded.type, value = excluded.value";
        }
        return texts;
    }();
    return statements[rows];
}

}  // namespace

const std::string CPropRows::kSchema = Schema("props");

bool CPropRows::DropValueIndex(CSqlDatabase& db)
{
    CSqlStatement exists(db, "SELECT COUNT(*) FROM sqlite_master WHERE type = 'index' AND name = 'props_id'");
    exists.Step();
    if (!exists.Int(0)) return false;
    exists.Reset();
    db.Exec("DROP INDEX props_id");
    return true;
}

void CPropRows::Bind(CSqlStatement& stmt, int index, const CPropValue& value)
{
    switch (CPropValue::StorageOf(value.Type())) {
    case CPropValue::Storage::Integer: stmt.Bind(index, value.Int()); break;
    case CPropValue::Storage::Real: stmt.Bind(index, value.Real()); break;
    case CPropValue::Storage::Text: stmt.BindText(index, value.Serialize()); break;
    case CPropValue::Storage::Blob: stmt.BindBlob(index, value.Serialize()); break;
    }
}

bool CPropRows::KeepValuesOutOfTheKey(CSqlDatabase& db)
{
    CSqlStatement keyed(db, "SELECT COUNT(*) FROM sqlite_master WHERE type = 'table' AND name = 'props'"
                            " AND sql LIKE '%WITHOUT ROWID%'");
    keyed.Step();
    if (!keyed.Int(0)) return false;
    keyed.Reset();
    db.Exec(Schema("props_rebuilt"));
    db.Exec("INSERT INTO props_rebuilt(obj, id, type, value) SELECT obj, id, type, value FROM props ORDER BY obj, id");
    db.Exec("DROP TABLE props");
    db.Exec("ALTER TABLE props_rebuilt RENAME TO props");
    return true;
}

CPropMap CPropRows::Load(CSqlDatabase& db, LONGLONG obj)
{
    CSqlStatement stmt(db, "SELECT id, type, value FROM props WHERE obj = ?");
    stmt.Bind(1, obj);
    CPropMap props;
    while (stmt.Step()) {
        ULONG tag = PROP_TAG(static_cast<ULONG>(stmt.Int(1)), static_cast<ULONG>(stmt.Int(0)));
        props[PROP_ID(tag)] = Read(stmt, tag, 2);
    }
    return props;
}

CPropValue CPropRows::Read(CSqlStatement& stmt, ULONG tag, int column)
{
    switch (CPropValue::StorageOf(PROP_TYPE(tag))) {
    case CPropValue::Storage::Integer: return CPropValue::FromInteger(tag, stmt.Int(column));
    case CPropValue::Storage::Real: return CPropValue::FromReal(tag, stmt.Real(column));
    default: return CPropValue::Deserialize(tag, stmt.Blob(column));
    }
}

bool CPropRows::LoadOne(CSqlDatabase& db, LONGLONG obj, ULONG propId, CPropValue& value)
{
    CSqlStatement stmt(db, "SELECT type, value FROM props WHERE obj = ? AND id = ?");
    stmt.Bind(1, obj).Bind(2, static_cast<LONGLONG>(propId));
    if (!stmt.Step()) return false;
    value = Read(stmt, PROP_TAG(static_cast<ULONG>(stmt.Int(0)), propId), 1);
    return true;
}

void CPropRows::Set(CSqlDatabase& db, LONGLONG obj, const CPropValue& value)
{
    const CPropValue* one = &value;
    SetAll(db, obj, std::span(&one, 1));
}

void CPropRows::SetAll(CSqlDatabase& db, LONGLONG obj, std::span<const CPropValue* const> values)
{
    for (std::size_t start = 0; start < values.size(); start += kRowsAtOnce) {
        std::size_t rows = std::min(kRowsAtOnce, values.size() - start);
        CSqlStatement stmt(db, SetRows(rows));
        for (std::size_t row = 0; row < rows; ++row) {
            const CPropValue& value = *values[start + row];
            int column = static_cast<int>(4 * row);
            stmt.Bind(column + 1, obj)
                .Bind(column + 2, static_cast<LONGLONG>(PROP_ID(value.Tag())))
                .Bind(column + 3, static_cast<LONGLONG>(value.Type()));
            Bind(stmt, column + 4, value);
        }
        stmt.Run();
    }
}

void CPropRows::Clear(CSqlDatabase& db, LONGLONG obj)
{
    CSqlStatement clear(db, "DELETE FROM props WHERE obj = ?");
    clear.Bind(1, obj).Run();
}

void CPropRows::Remove(CSqlDatabase& db, LONGLONG obj, ULONG propId)
{
    CSqlStatement remove(db, "DELETE FROM props WHERE obj = ? AND id = ?");
    remove.Bind(1, obj).Bind(2, static_cast<LONGLONG>(propId)).Run();
}

void CPropRows::Replace(CSqlDatabase& db, LONGLONG obj, const CPropMap& props)
{
    Clear(db, obj);
    Insert(db, obj, props);
}

void CPropRows::Insert(CSqlDatabase& db, LONGLONG obj, const CPropMap& props)
{
    std::vector<const CPropValue*> values;
    values.reserve(props.size());
    for (const auto& [propId, value] : props) values.push_back(&value);
    SetAll(db, obj, values);
}

}  // namespace pollenta::mapi
