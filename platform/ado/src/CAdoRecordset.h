#pragma once

#include "CAdoConnection.h"
#include "ColumnInfo.h"
#include "Statement.h"

#include "ado/Recordset.h"
#include "com/ComVariant.h"

#include <optional>
#include <vector>

namespace pollenta::ado {

class CAdoRecordset final : public com::CUnknownImpl<CAdoRecordset, _Recordset, ISupportErrorInfo> {
public:
    // Failures set the thread's error information.
    STDMETHODIMP InterfaceSupportsErrorInfo(REFIID iid) override { return iid == IID__Recordset ? S_OK : S_FALSE; }

    STDMETHODIMP Open(VARIANT source, VARIANT activeConnection, CursorTypeEnum cursorType, LockTypeEnum lockType,
                      LONG options) override;
    STDMETHODIMP Close() override;
    STDMETHODIMP get_State(LONG* state) override;
    STDMETHODIMP putref_ActiveConnection(_Connection* connection) override;
    STDMETHODIMP get_Fields(Fields** fields) override;
    STDMETHODIMP get_Status(LONG* status) override;
    STDMETHODIMP get_EOF(VARIANT_BOOL* eof) override;
    STDMETHODIMP MoveNext() override;
    STDMETHODIMP AddNew(VARIANT fieldList, VARIANT values) override;
    STDMETHODIMP Update(VARIANT fields, VARIANT values) override;
    STDMETHODIMP put_Filter(VARIANT criteria) override;

    // Opens the recordset on the rows of a prepared query, read-only.
    HRESULT LoadQuery(CAdoConnection* connection, Statement& statement);

    // For the field objects.
    LONG ColumnCount() const { return static_cast<LONG>(m_columns.size()); }
    const ColumnInfo& Column(LONG index) const { return m_columns[index]; }
    // The column of that name without regard to case, or -1.
    LONG FindColumn(const std::string& name) const;
    HRESULT GetFieldValue(LONG index, VARIANT* value);
    HRESULT PutFieldValue(LONG index, const VARIANT& value);
    LONG FieldStatus(LONG index) const;

private:
    HRESULT Fail(HRESULT hr, const std::string& description);
    HRESULT Connect(const VARIANT& activeConnection);
    HRESULT OpenTable(const std::string& name);
    HRESULT LoadRows();
    HRESULT InsertNewRecord();
    // The INSERT of the record being added, with the fields it was given.
    std::string InsertSql() const;
    void Reset();

    CComPtr<CAdoConnection> m_connection;
    bool m_open = false;
    bool m_readOnly = true;
    std::string m_table;  // empty for query results
    std::vector<ColumnInfo> m_columns;
    std::vector<std::vector<CComVariant>> m_rows;
    std::optional<std::vector<std::vector<CComVariant>>> m_unfilteredRows;  // while a filter is set
    bool m_rowsLoaded = false;
    std::size_t m_position = 0;
    bool m_adding = false;
    std::vector<CComVariant> m_newValues;
    std::vector<bool> m_assigned;
    std::vector<LONG> m_fieldStatus;
    LONG m_status = adRecOK;
};

}  // namespace pollenta::ado
