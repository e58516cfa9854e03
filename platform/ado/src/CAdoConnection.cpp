#include "CAdoConnection.h"

#include "CAdoRecordset.h"
#include "SqliteStatus.h"
#include "Statement.h"
#include "Utf8.h"

#include "com/ErrorInfo.h"

#include <sqlite3.h>

#include <new>

namespace pollenta::ado {

namespace {

// How long a save waits for another writer before it gives up.
constexpr int kBusyTimeoutMs = 1000;

const char* const kTablesQuery =
    "SELECT NULL AS TABLE_CATALOG, NULL AS TABLE_SCHEMA, name AS TABLE_NAME, "
    "CASE WHEN name LIKE 'sqlite\\_%' ESCAPE '\\' THEN 'SYSTEM TABLE' "
    "WHEN type = 'view' THEN 'VIEW' ELSE 'TABLE' END AS TABLE_TYPE "
    "FROM sqlite_master WHERE type IN ('table', 'view') ORDER BY name";

}  // namespace

CAdoConnection::CAdoConnection() : m_errors(new CAdoErrors()) {}

CAdoConnection::~CAdoConnection() { SessionPool::Instance().Give(m_connectionString, std::move(m_session), m_file); }

CComPtr<CAdoConnection> CAdoConnection::FromInterface(IUnknown* object)
{
    CComPtr<CAdoConnection> connection;
    if (object)
        object->QueryInterface(IID_CAdoConnection, reinterpret_cast<void**>(&connection));
    return connection;
}

HRESULT CAdoConnection::Report(HRESULT hr, const std::string& description, LONG nativeError)
{
    m_errors->Clear();
    m_errors->Add(AdoErrorRecord{hr, description, nativeError});
    return com::ReportError(hr, description, kAdoSource, IID__Connection);
}

HRESULT CAdoConnection::ReportDatabase(int sqliteCode, const std::string& what)
{
    const std::string detail = m_session ? sqlite3_errmsg(m_session->Handle()) : sqlite3_errstr(sqliteCode);
    return Report(HresultOf(sqliteCode), what + ": " + detail + ".", sqliteCode);
}

STDMETHODIMP CAdoConnection::get_ConnectionString(BSTR* text)
{
    if (!text)
        return E_POINTER;
    *text = BstrFromUtf8(m_connectionString);
    return *text ? S_OK : E_OUTOFMEMORY;
}

STDMETHODIMP CAdoConnection::put_ConnectionString(BSTR text)
{
    if (m_session)
        return Report(adErrObjectOpen, "Operation is not allowed when the object is open.");
    m_connectionString = Utf8FromBstr(text);
    return S_OK;
}

STDMETHODIMP CAdoConnection::Open(BSTR connectionString, BSTR userId, BSTR password, LONG options)
{
    if (m_session)
        return Report(adErrObjectOpen, "Operation is not allowed when the object is open.");
    if (SysStringLen(connectionString) > 0)
        m_connectionString = Utf8FromBstr(connectionString);
    ConnectionTarget target;
    std::string reason;
    if (!ParseConnectionString(m_connectionString, target, reason))
        return Report(adErrProviderNotFound, reason);
    if (target.path.find('\0') != std::string::npos)
        return Report(E_INVALIDARG, "The database file name holds a NUL character.");

    FileIdentity identity;
    m_session = SessionPool::Instance().Take(m_connectionString, target.path, identity);
    if (!m_session) {
        const HRESULT hr = OpenDatabase(target, identity);
        if (FAILED(hr))
            return hr;
    }
    m_file = identity;
    m_errors->Clear();
    return S_OK;
}

HRESULT CAdoConnection::OpenDatabase(const ConnectionTarget& target, FileIdentity& identity)
{
    sqlite3* db = nullptr;
    int flags = target.readOnly ? SQLITE_OPEN_READONLY : SQLITE_OPEN_READWRITE;
    if (target.createMissing && !target.readOnly)
        flags |= SQLITE_OPEN_CREATE;
    int rc = sqlite3_open_v2(target.path.c_str(), &db, flags, nullptr);
    if (rc == SQLITE_OK) {
        sqlite3_extended_result_codes(db, 1);
        sqlite3_busy_timeout(db, kBusyTimeoutMs);
        // Opening is lazy; reading the schema tells a database from other files.
        rc = sqlite3_exec(db, "SELECT count(*) FROM sqlite_master", nullptr, nullptr, nullptr);
    }
    if (rc != SQLITE_OK) {
        const std::string detail = db ? sqlite3_errmsg(db) : sqlite3_errstr(rc);
        sqlite3_close_v2(db);
        return Report(HresultOf(rc) == E_FAIL ? E_FAIL : HresultOf(rc),
                      "The database \"" + target.path + "\" cannot be opened: " + detail + ".", rc);
    }
    // Every saved record is on the disk when Update returns. The log is
    // folded into the database every hundred pages rather than every
    // thousand: a short log is written over again from its start, so a save
    // mostly rewrites blocks the log file already has, and its sync need not
    // wait for the file system to record a longer file.
    if (!target.readOnly)
        sqlite3_exec(db, "PRAGMA journal_mode=WAL; PRAGMA synchronous=FULL; PRAGMA wal_autocheckpoint=100", nullptr,
                     nullptr, nullptr);
    sqlite3_exec(db, "PRAGMA foreign_keys=ON", nullptr, nullptr, nullptr);
    if (!(FileIdentity::Of(target.path) == identity))
        identity = FileIdentity();
    m_session = std::make_unique<DatabaseSession>(db);
    return S_OK;
}

STDMETHODIMP CAdoConnection::Close()
{
    if (!m_session)
        return Report(adErrObjectClosed, "Operation is not allowed when the object is closed.");
    SessionPool::Instance().Give(m_connectionString, std::move(m_session), m_file);
    return S_OK;
}

HRESULT CAdoConnection::NewRecordset(CComPtr<CAdoRecordset>& recordset)
{
    CAdoRecordset* created = new (std::nothrow) CAdoRecordset();
    if (!created)
        return E_OUTOFMEMORY;
    recordset = created;
    return S_OK;
}

HRESULT CAdoConnection::RunQuery(const std::string& sql, _Recordset** records)
{
    Statement statement;
    const int rc = statement.Prepare(Database(), sql);
    if (rc != SQLITE_OK)
        return ReportDatabase(rc, "The query cannot be run");
    CComPtr<CAdoRecordset> recordset;
    HRESULT hr = NewRecordset(recordset);
    if (SUCCEEDED(hr))
        hr = recordset->LoadQuery(this, statement);
    if (FAILED(hr))
        return hr;
    return recordset->QueryInterface(IID__Recordset, reinterpret_cast<void**>(records));
}

STDMETHODIMP CAdoConnection::Execute(BSTR commandText, VARIANT* recordsAffected, LONG options, _Recordset** records)
{
    if (records)
        *records = nullptr;
    if (!m_session)
        return Report(adErrObjectClosed, "Operation is not allowed when the object is closed.");
    const std::string sql = Utf8FromBstr(commandText);
    if (sql.find('\0') != std::string::npos)
        return Report(E_INVALIDARG, "The command text holds a NUL character.");
    LONG affected = 0;
    CComPtr<CAdoRecordset> lastRecords;
    for (const char* next = sql.c_str(); next && *next;) {
        Statement statement;
        int rc = statement.Prepare(Database(), next, &next);
        if (rc != SQLITE_OK)
            return ReportDatabase(rc, "The command cannot be run");
        if (!statement.Get())
            continue;  // blanks or a comment
        lastRecords.Release();
        if (!sqlite3_stmt_readonly(statement.Get()))
            m_session->Tables().Forget();
        if (sqlite3_column_count(statement.Get()) > 0) {
            HRESULT hr = NewRecordset(lastRecords);
            if (SUCCEEDED(hr))
                hr = lastRecords->LoadQuery(this, statement);
            if (FAILED(hr))
                return hr;
            continue;
        }
        while ((rc = statement.Step()) == SQLITE_ROW) {
        }
        if (rc != SQLITE_DONE)
            return ReportDatabase(rc, "The command failed");
        affected += sqlite3_changes(Database());
    }
    if (recordsAffected) {
        VariantClear(recordsAffected);
        recordsAffected->vt = VT_I4;
        recordsAffected->lVal = affected;
    }
    if (!lastRecords || (options & adExecuteNoRecords) || !records)
        return S_OK;
    return lastRecords->QueryInterface(IID__Recordset, reinterpret_cast<void**>(records));
}

STDMETHODIMP CAdoConnection::OpenSchema(SchemaEnum schema, VARIANT restrictions, VARIANT schemaId, _Recordset** records)
{
    if (!records)
        return E_POINTER;
    *records = nullptr;
    if (!m_session)
        return Report(adErrObjectClosed, "Operation is not allowed when the object is closed.");
    if (schema != adSchemaTables)
        return Report(adErrFeatureNotAvailable, "Object or provider is not capable of performing requested operation.");
    return RunQuery(kTablesQuery, records);
}

STDMETHODIMP CAdoConnection::get_Errors(Errors** errors)
{
    if (!errors)
        return E_POINTER;
    return m_errors->QueryInterface(IID_Errors, reinterpret_cast<void**>(errors));
}

STDMETHODIMP CAdoConnection::get_State(LONG* state)
{
    if (!state)
        return E_POINTER;
    *state = m_session ? adStateOpen : adStateClosed;
    return S_OK;
}

}  // namespace pollenta::ado
