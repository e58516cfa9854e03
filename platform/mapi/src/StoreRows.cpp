#include "StoreRows.h"

#include "MemoryRows.h"
#include "PropRows.h"
#include "mapi/MapiFlags.h"

namespace pollenta::mapi {

CStoreRows::CStoreRows(std::shared_ptr<CStoreFile> store, LONGLONG parent, ULONG type, std::vector<ULONG> columns,
                       RowProps rowProps)
    : m_store(std::move(store)), m_parent(parent), m_type(type), m_columns(std::move(columns)),
      m_rowProps(std::move(rowProps))
{
}

void CStoreRows::Restrict(std::optional<CRestriction> restriction) { m_restriction = std::move(restriction); }

void CStoreRows::Sort(std::vector<SSortOrder> order) { m_order = std::move(order); }

std::string CStoreRows::Where(std::vector<CPropValue>& params) const
{
    params.push_back(CPropValue::FromInteger(PROP_TAG(PT_I8, 0), m_parent));
    params.push_back(CPropValue::FromInteger(PROP_TAG(PT_I8, 0), m_type));
    std::string sql = " FROM objects o WHERE o.parent = ? AND o.type = ?";
    if (m_restriction) sql += " AND " + m_restriction->ToSql(params);
    return sql;
}

void CStoreRows::BindAll(CSqlStatement& stmt, const std::vector<CPropValue>& params) const
{
    int index = 1;
    for (const CPropValue& value : params) CPropRows::Bind(stmt, index++, value);
}

ULONG CStoreRows::Count()
{
    std::lock_guard lock(m_store->Mutex());
    std::vector<CPropValue> params;
    CSqlStatement stmt(m_store->Db().Handle(), "SELECT COUNT(*)" + Where(params));
    BindAll(stmt, params);
    stmt.Step();
    return static_cast<ULONG>(stmt.Int(0));
}

std::vector<std::vector<CPropValue>> CStoreRows::Fetch(ULONG start, ULONG n, const std::vector<ULONG>& columns)
{
    std::vector<LONGLONG> ids;
    {
        std::lock_guard lock(m_store->Mutex());
        std::vector<CPropValue> params;
        std::string sql = "SELECT o.id" + Where(params) + " ORDER BY ";
        for (const SSortOrder& key : m_order) {
            sql += "(SELECT p.value FROM props p WHERE p.obj = o.id AND p.id = ?)";
            sql += key.ulOrder == TABLE_SORT_DESCEND ? " DESC, " : " ASC, ";
            params.push_back(CPropValue::FromInteger(PROP_TAG(PT_I8, 0), PROP_ID(key.ulPropTag)));
        }
        sql += "o.id LIMIT ? OFFSET ?";
        params.push_back(CPropValue::FromInteger(PROP_TAG(PT_I8, 0), n));
        params.push_back(CPropValue::FromInteger(PROP_TAG(PT_I8, 0), start));
        CSqlStatement stmt(m_store->Db().Handle(), sql);
        BindAll(stmt, params);
        while (stmt.Step()) ids.push_back(stmt.Int(0));
    }
    std::vector<std::vector<CPropValue>> rows;
    for (LONGLONG id : ids) {
        CPropMap props = m_rowProps(id);
        std::vector<CPropValue> row;
        for (ULONG tag : columns) row.push_back(CMemoryRows::Column(props, tag));
        rows.push_back(std::move(row));
    }
    return rows;
}

}  // namespace pollenta::mapi
