#pragma once

#include "CAdoErrors.h"
#include "ConnectionString.h"
#include "DatabaseSession.h"
#include "SessionPool.h"

#include "ado/Connection.h"
#include "com/ComPtr.h"
#include "com/ErrorInfo.h"
#include "com/UnknownImpl.h"

#include <memory>
#include <string>

namespace pollenta::ado {

class CAdoRecordset;

// Lets the recordset reach the database behind a _Connection of ours.
// {6C0E5D7A-3F41-4B9E-9A51-0D2C7B84E613}
inline constexpr IID IID_CAdoConnection = {0x6C0E5D7A, 0x3F41, 0x4B9E, {0x9A, 0x51, 0x0D, 0x2C, 0x7B, 0x84, 0xE6, 0x13}};

class CAdoConnection final : public com::CUnknownImpl<CAdoConnection, _Connection, ISupportErrorInfo> {
public:
    // Failures set the thread's error information.
    STDMETHODIMP InterfaceSupportsErrorInfo(REFIID iid) override { return iid == IID__Connection ? S_OK : S_FALSE; }

    CAdoConnection();
    ~CAdoConnection();

    STDMETHODIMP get_ConnectionString(BSTR* text) override;
    STDMETHODIMP put_ConnectionString(BSTR text) override;
    STDMETHODIMP Open(BSTR connectionString, BSTR userId, BSTR password, LONG options) override;
    STDMETHODIMP Close() override;
    STDMETHODIMP Execute(BSTR commandText, VARIANT* recordsAffected, LONG options, _Recordset** records) override;
    STDMETHODIMP OpenSchema(SchemaEnum schema, VARIANT restrictions, VARIANT schemaId, _Recordset** records) override;
    STDMETHODIMP get_Errors(Errors** errors) override;
    STDMETHODIMP get_State(LONG* state) override;

    void* QueryInterfaceExtra(REFIID iid) { return iid == IID_CAdoConnection ? this : nullptr; }
    // Our own connection behind `object`, or null for anything else.
    static CComPtr<CAdoConnection> FromInterface(IUnknown* object);

    // Null while closed.
    sqlite3* Database() const { return m_session ? m_session->Handle() : nullptr; }
    DatabaseSession* Session() const { return m_session.get(); }
    // Makes `description` the connection's only error and the thread's
    // error information; returns `hr`.
    HRESULT Report(HRESULT hr, const std::string& description, LONG nativeError = 0);
    // Reports the database's last failure; `what` says what was being done.
    HRESULT ReportDatabase(int sqliteCode, const std::string& what);

private:
    static HRESULT NewRecordset(CComPtr<CAdoRecordset>& recordset);
    // Opens the file anew; `identity` is what the file was before, and is
    // made unknown when it changed meanwhile, so that the handle is not pooled.
    HRESULT OpenDatabase(const ConnectionTarget& target, FileIdentity& identity);
    HRESULT RunQuery(const std::string& sql, _Recordset** records);

    std::unique_ptr<DatabaseSession> m_session;
    FileIdentity m_file;
    std::string m_connectionString;
    CComPtr<CAdoErrors> m_errors;
};

}  // namespace pollenta::ado
