#include "StoreRows.h"

#include "MemoryRows.h"
#include "PropRows.h"
#include "mapi/MapiFlags.h"

#include <unordered_map>

namespace pollenta::mapi {

CStoreRows::CStoreRows(std::shared_ptr<CStoreFile> store, LONGLONG parent, ULONG type, std::vector<ULONG> columns,
                       ComputedProps computed)
    : m_store(std::move(store)), m_parent(parent), m_type(type), m_columns(std::move(columns)),
      m_computed(std::move(computed))
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
    std::vector<CPropMap> stored;
    {
        std::lock_guard lock(m_store->Mutex());
        std::vector<CPropValue> params;
        std::string window = "SELECT o.id" + Where(params) + " ORDER BY ";
        for (const SSortOrder& key : m_order) {
            window += "(SELECT p.value FROM props p WHERE p.obj = o.id AND p.id = ?)";
            window += key.ulOrder == TABLE_SORT_DESCEND ? " DESC, " : " ASC, ";
            params.push_back(CPropValue::FromInteger(PROP_TAG(PT_I8, 0), PROP_ID(key.ulPropTag)));
        }
        window += "o.id LIMIT ? OFFSET ?";
        params.push_back(CPropValue::FromInteger(PROP_TAG(PT_I8, 0), n));
        params.push_back(CPropValue::FromInteger(PROP_TAG(PT_I8, 0), start));
        CSqlStatement stmt(m_store->Db().Handle(), window);
        BindAll(stmt, params);
        while (stmt.Step()) ids.push_back(stmt.Int(0));

        // The columns' stored values of the whole window in one query; the
        // property ids are numbers of ours, never text from outside.
        std::string wanted;
        for (ULONG tag : columns) wanted += (wanted.empty() ? "" : ",") + std::to_string(PROP_ID(tag));
        stored.resize(ids.size());
        if (!ids.empty() && !wanted.empty()) {
            std::unordered_map<LONGLONG, std::size_t> rowOf;
            for (std::size_t i = 0; i < ids.size(); ++i) rowOf.emplace(ids[i], i);
            CSqlStatement values(m_store->Db().Handle(), "SELECT p.obj, p.id, p.type, p.value FROM (" + window +
                                                             ") w JOIN props p ON p.obj = w.id WHERE p.id IN (" +
                                                             wanted + ")");
            BindAll(values, params);
            while (values.Step()) {
                ULONG tag = PROP_TAG(static_cast<ULONG>(values.Int(2)), static_cast<ULONG>(values.Int(1)));
                stored[rowOf.at(values.Int(0))][PROP_ID(tag)] = CPropRows::Read(values, tag, 3);
            }
        }
    }
    std::vector<std::vector<CPropValue>> rows;
    rows.reserve(ids.size());
    for (std::size_t i = 0; i < ids.size(); ++i) {
        CPropMap& props = stored[i];
        for (auto& [propId, value] : m_computed(ids[i])) props[propId] = std::move(value);
        std::vector<CPropValue> row;
        row.reserve(columns.size());
        for (ULONG tag : columns) row.push_back(CMemoryRows::Column(props, tag));
        rows.push_back(std::move(row));
    }
    return rows;
}

}  // namespace pollenta::mapi
