#include "CAdoRecordset.h"

#include "CAdoFields.h"
#include "FieldValue.h"
#include "SqlName.h"
#include "SqliteStatus.h"
#include "Utf8.h"

#include "com/ErrorInfo.h"
#include "win/CaseFolding.h"

#include <new>

namespace pollenta::ado {

namespace {

bool IsMissing(const VARIANT& v) { return v.vt == VT_EMPTY || (v.vt == VT_ERROR && v.scode == DISP_E_PARAMNOTFOUND); }

const char* const kClosed = "Operation is not allowed when the object is closed.";
const char* const kNotUpdatable = "Current Recordset does not support updating.";

}  // namespace

HRESULT CAdoRecordset::Fail(HRESULT hr, const std::string& description)
{
    if (m_connection)
        return m_connection->Report(hr, description);
    return com::ReportError(hr, description, kAdoSource, IID__Recordset);
}

void CAdoRecordset::Reset()
{
    m_open = false;
    m_readOnly = true;
    m_table.clear();
    m_columns.clear();
    m_rows.clear();
    m_unfilteredRows.reset();
    m_rowsLoaded = false;
    m_position = 0;
    m_adding = false;
    m_newValues.clear();
    m_assigned.clear();
    m_fieldStatus.clear();
    m_status = adRecOK;
}

HRESULT CAdoRecordset::Connect(const VARIANT& activeConnection)
{
    if (activeConnection.vt == VT_BSTR) {
        CComPtr<CAdoConnection> connection(new (std::nothrow) CAdoConnection());
        if (!connection)
            return E_OUTOFMEMORY;
        const HRESULT hr = connection->Open(activeConnection.bstrVal, nullptr, nullptr, -1);
        if (FAILED(hr))
            return hr;
        m_connection = connection;
        return S_OK;
    }
    if (activeConnection.vt == VT_UNKNOWN || activeConnection.vt == VT_DISPATCH) {
        CComPtr<CAdoConnection> connection = CAdoConnection::FromInterface(activeConnection.punkVal);
        if (!connection)
            return com::ReportError(adErrInvalidArgument, "The connection is not an ADO connection of this provider.",
                                    kAdoSource, IID__Recordset);
        m_connection = connection;
    } else if (!IsMissing(activeConnection)) {
        return com::ReportError(adErrInvalidArgument, "The connection argument has a wrong type.", kAdoSource,
                                IID__Recordset);
    }
    if (!m_connection)
        return com::ReportError(adErrInvalidArgument, "The recordset has no connection.", kAdoSource, IID__Recordset);
    if (!m_connection->Database())
        return Fail(adErrObjectClosed, kClosed);
    return S_OK;
}

HRESULT CAdoRecordset::OpenTable(const std::string& name)
{
    DatabaseSession* session = m_connection->Session();
    const TableDescription* table = nullptr;
    const int rc = session->Tables().Find(session->Statements(), name, table);
    if (rc == SQLITE_DONE)
        return Fail(DB_E_NOTABLE, "The table or view \"" + name + "\" does not exist.");
    if (rc != SQLITE_OK)
        return m_connection->ReportDatabase(rc, "The table \"" + name + "\" cannot be read");
    m_table = table->name;
    m_columns = table->columns;
    if (table->view)
        m_readOnly = true;
    return S_OK;
}

STDMETHODIMP CAdoRecordset::Open(VARIANT source, VARIANT activeConnection, CursorTypeEnum cursorType,
                                 LockTypeEnum lockType, LONG options)
{
    if (m_open)
        return Fail(adErrObjectOpen, "Operation is not allowed when the object is open.");
    if (source.vt != VT_BSTR)
        return com::ReportError(adErrInvalidArgument, "The record source must be a table name.", kAdoSource,
                                IID__Recordset);
    HRESULT hr = Connect(activeConnection);
    if (FAILED(hr))
        return hr;
    Reset();
    m_readOnly = lockType == adLockReadOnly || lockType == adLockUnspecified;
    hr = OpenTable(SourceTableName(Utf8FromBstr(source.bstrVal)));
    if (FAILED(hr)) {
        Reset();
        return hr;
    }
    m_open = true;
    return S_OK;
}

HRESULT CAdoRecordset::LoadQuery(CAdoConnection* connection, Statement& statement)
{
    Reset();
    m_connection = connection;
    sqlite3_stmt* query = statement.Get();
    const int count = sqlite3_column_count(query);
    for (int i = 0; i < count; ++i) {
        const char* declared = sqlite3_column_decltype(query, i);
        m_columns.push_back(DescribeColumn(sqlite3_column_name(query, i), declared ? declared : "TEXT", false, false));
    }
    int rc;
    while ((rc = statement.Step()) == SQLITE_ROW) {
        std::vector<CComVariant> row(m_columns.size());
        for (int i = 0; i < count; ++i)
            ReadValue(query, i, m_columns[i].type, row[i]);
        m_rows.push_back(std::move(row));
    }
    if (rc != SQLITE_DONE) {
        Reset();
        return connection->ReportDatabase(rc, "The query failed");
    }
    m_rowsLoaded = true;
    m_open = true;
    return S_OK;
}

HRESULT CAdoRecordset::LoadRows()
{
    if (m_rowsLoaded)
        return S_OK;
    if (!m_connection || !m_connection->Database())
        return Fail(adErrObjectClosed, kClosed);
    std::string sql = "SELECT ";
    for (std::size_t i = 0; i < m_columns.size(); ++i)
        sql += (i ? ", " : "") + QuoteIdentifier(m_columns[i].name);
    sql += " FROM " + QuoteIdentifier(m_table);
    int rc = SQLITE_OK;
    CachedStatement query = m_connection->Session()->Statements().Take(sql, rc);
    if (rc != SQLITE_OK)
        return m_connection->ReportDatabase(rc, "The records of \"" + m_table + "\" cannot be read");
    while ((rc = query.Step()) == SQLITE_ROW) {
        std::vector<CComVariant> row(m_columns.size());
        for (std::size_t i = 0; i < m_columns.size(); ++i)
            ReadValue(query.Get(), static_cast<int>(i), m_columns[i].type, row[i]);
        m_rows.push_back(std::move(row));
    }
    if (rc != SQLITE_DONE) {
        m_rows.clear();
        return m_connection->ReportDatabase(rc, "The records of \"" + m_table + "\" cannot be read");
    }
    m_rowsLoaded = true;
    return S_OK;
}

STDMETHODIMP CAdoRecordset::Close()
{
    if (!m_open)
        return Fail(adErrObjectClosed, kClosed);
    Reset();
    return S_OK;
}

STDMETHODIMP CAdoRecordset::get_State(LONG* state)
{
    if (!state)
        return E_POINTER;
    *state = m_open ? adStateOpen : adStateClosed;
    return S_OK;
}

STDMETHODIMP CAdoRecordset::putref_ActiveConnection(_Connection* connection)
{
    if (!connection) {
        m_connection.Release();
        return S_OK;
    }
    if (m_open)
        return Fail(adErrObjectOpen, "Operation is not allowed when the object is open.");
    CComPtr<CAdoConnection> ours = CAdoConnection::FromInterface(connection);
    if (!ours)
        return com::ReportError(adErrInvalidArgument, "The connection is not an ADO connection of this provider.",
                                kAdoSource, IID__Recordset);
    m_connection = ours;
    return S_OK;
}

STDMETHODIMP CAdoRecordset::get_Fields(Fields** fields)
{
    if (!fields)
        return E_POINTER;
    *fields = nullptr;
    if (!m_open)
        return Fail(adErrObjectClosed, kClosed);
    return CAdoFields::CreateInstance(IID_Fields, reinterpret_cast<void**>(fields), this);
}

STDMETHODIMP CAdoRecordset::get_Status(LONG* status)
{
    if (!status)
        return E_POINTER;
    if (!m_open)
        return Fail(adErrObjectClosed, kClosed);
    *status = m_status;
    return S_OK;
}

STDMETHODIMP CAdoRecordset::get_EOF(VARIANT_BOOL* eof)
{
    if (!eof)
        return E_POINTER;
    if (!m_open)
        return Fail(adErrObjectClosed, kClosed);
    if (m_adding) {
        *eof = VARIANT_FALSE;
        return S_OK;
    }
    const HRESULT hr = LoadRows();
    if (FAILED(hr))
        return hr;
    *eof = m_position >= m_rows.size() ? VARIANT_TRUE : VARIANT_FALSE;
    return S_OK;
}

STDMETHODIMP CAdoRecordset::MoveNext()
{
    if (!m_open)
        return Fail(adErrObjectClosed, kClosed);
    m_adding = false;
    const HRESULT hr = LoadRows();
    if (FAILED(hr))
        return hr;
    if (m_position >= m_rows.size())
        return Fail(adErrNoCurrentRecord, "Either BOF or EOF is True, or the current record has been deleted.");
    ++m_position;
    return S_OK;
}

STDMETHODIMP CAdoRecordset::AddNew(VARIANT fieldList, VARIANT values)
{
    if (!m_open)
        return Fail(adErrObjectClosed, kClosed);
    if (!IsMissing(fieldList) || !IsMissing(values))
        return Fail(adErrFeatureNotAvailable, "Field lists are not taken by AddNew; set each field's value.");
    if (m_readOnly || m_table.empty())
        return Fail(adErrFeatureNotAvailable, kNotUpdatable);
    m_adding = true;
    m_newValues.assign(m_columns.size(), CComVariant());
    m_assigned.assign(m_columns.size(), false);
    m_fieldStatus.assign(m_columns.size(), adFieldOK);
    m_status = adRecNew;
    return S_OK;
}

HRESULT CAdoRecordset::InsertNewRecord()
{
    DatabaseSession* session = m_connection ? m_connection->Session() : nullptr;
    if (!session)
        return Fail(adErrObjectClosed, "The recordset has no open connection.");
    StatementCache& statements = session->Statements();
    // One transaction per record, taken for writing at once, so that the
    // record is stored whole or not at all.
    int rc = statements.Run("BEGIN IMMEDIATE");
    CachedStatement insert;
    if (rc == SQLITE_OK)
        insert = statements.Take(InsertSql(), rc);
    for (std::size_t i = 0, place = 1; rc == SQLITE_OK && i < m_columns.size(); ++i) {
        if (m_assigned[i])
            rc = BindValue(insert.Get(), static_cast<int>(place++), m_newValues[i]);
    }
    if (rc == SQLITE_OK) {
        rc = insert.Step();
        if (rc == SQLITE_DONE)
            rc = statements.Run("COMMIT");
    }
    if (rc == SQLITE_OK)
        return S_OK;
    const HRESULT hr = m_connection->ReportDatabase(rc, "The record cannot be saved in \"" + m_table + "\"");
    insert.GiveBack();
    if (!sqlite3_get_autocommit(session->Handle()))
        statements.Run("ROLLBACK");
    m_status = adRecNew | RecordStatusOf(rc);
    return hr;
}

std::string CAdoRecordset::InsertSql() const
{
    std::string names, places;
    for (std::size_t i = 0; i < m_columns.size(); ++i) {
        if (!m_assigned[i])
            continue;
        names += (names.empty() ? "" : ", ") + QuoteIdentifier(m_columns[i].name);
        places += places.empty() ? "?" : ", ?";
    }
    return "INSERT INTO " + QuoteIdentifier(m_table) +
           (names.empty() ? " DEFAULT VALUES" : " (" + names + ") VALUES (" + places + ")");
}

STDMETHODIMP CAdoRecordset::Update(VARIANT fields, VARIANT values)
{
    if (!m_open)
        return Fail(adErrObjectClosed, kClosed);
    if (!IsMissing(fields) || !IsMissing(values))
        return Fail(adErrFeatureNotAvailable, "Field lists are not taken by Update; set each field's value.");
    if (!m_adding)
        return S_OK;
    const HRESULT hr = InsertNewRecord();
    if (FAILED(hr))
        return hr;
    m_adding = false;
    m_status = adRecOK;
    if (m_rowsLoaded) {
        m_rows.push_back(m_newValues);
        m_position = m_rows.size() - 1;
    }
    return S_OK;
}

LONG CAdoRecordset::FindColumn(const std::string& name) const
{
    // SQLite tells names apart by the case of letters beyond ASCII, so the
    // exact spelling comes first.
    for (std::size_t i = 0; i < m_columns.size(); ++i)
        if (m_columns[i].name == name)
            return static_cast<LONG>(i);
    for (std::size_t i = 0; i < m_columns.size(); ++i)
        if (EqualsNoCase(m_columns[i].name, name))
            return static_cast<LONG>(i);
    return -1;
}

HRESULT CAdoRecordset::GetFieldValue(LONG index, VARIANT* value)
{
    if (!value)
        return E_POINTER;
    if (!m_open)
        return Fail(adErrObjectClosed, kClosed);
    if (m_adding)
        return VariantCopy(value, &m_newValues[index]);
    const HRESULT hr = LoadRows();
    if (FAILED(hr))
        return hr;
    if (m_position >= m_rows.size())
        return Fail(adErrNoCurrentRecord, "Either BOF or EOF is True, or the current record has been deleted.");
    return VariantCopy(value, &m_rows[m_position][index]);
}

HRESULT CAdoRecordset::PutFieldValue(LONG index, const VARIANT& value)
{
    if (!m_open)
        return Fail(adErrObjectClosed, kClosed);
    if (!m_adding)
        return Fail(adErrFeatureNotAvailable, "Only a record being added can be changed.");
    if (m_columns[index].autoNumbered) {
        m_fieldStatus[index] = adFieldPermissionDenied;
        return Fail(DB_E_ERRORSOCCURRED,
                    "The field \"" + m_columns[index].name + "\" is numbered by the database and cannot be updated.");
    }
    const HRESULT hr = ConvertForColumn(m_columns[index], value, m_newValues[index], m_fieldStatus[index]);
    if (FAILED(hr))
        return Fail(hr, "The value does not fit the field \"" + m_columns[index].name + "\".");
    m_assigned[index] = true;
    return S_OK;
}

LONG CAdoRecordset::FieldStatus(LONG index) const { return m_adding ? m_fieldStatus[index] : adFieldOK; }

}  // namespace pollenta::ado
