#include "CAdoCommand.h"

#include "Statement.h"
#include "Utf8.h"

#include "com/ComBstr.h"
#include "com/ErrorInfo.h"

#include <sqlite3.h>

namespace pollenta::ado {

namespace {

constexpr HRESULT adErrInvalidConnection = POLLENTA_HR(0x800A0E7D);

bool IsMissing(const VARIANT* v)
{
    return !v || v->vt == VT_EMPTY || (v->vt == VT_ERROR && v->scode == DISP_E_PARAMNOTFOUND);
}

bool IsDetaching(const VARIANT& v)
{
    switch (v.vt) {
    case VT_EMPTY:
    case VT_NULL:
        return true;
    case VT_I2:
        return v.iVal == 0;
    case VT_I4:
        return v.lVal == 0;
    case VT_UNKNOWN:
    case VT_DISPATCH:
        return v.punkVal == nullptr;
    default:
        return false;
    }
}

bool IsBlankOrComment(const char* tail)
{
    Statement rest;
    sqlite3* scratch = nullptr;
    if (sqlite3_open_v2(":memory:", &scratch, SQLITE_OPEN_READWRITE, nullptr) != SQLITE_OK) {
        sqlite3_close_v2(scratch);
        return false;
    }
    const bool blank = rest.Prepare(scratch, tail) == SQLITE_OK && !rest.Get();
    rest = Statement();
    sqlite3_close_v2(scratch);
    return blank;
}

}  // namespace

HRESULT CAdoCommand::Fail(HRESULT hr, const std::string& description)
{
    return com::ReportError(hr, description, kAdoSource, IID__Command);
}

STDMETHODIMP CAdoCommand::putref_ActiveConnection(_Connection* connection)
{
    if (!connection) {
        m_connection.Release();
        return S_OK;
    }
    CComPtr<CAdoConnection> ours = CAdoConnection::FromInterface(connection);
    if (!ours)
        return Fail(adErrInvalidConnection, "The connection is not one of this provider.");
    m_connection = ours;
    return S_OK;
}

STDMETHODIMP CAdoCommand::put_ActiveConnection(VARIANT connection)
{
    if (IsDetaching(connection))
        return putref_ActiveConnection(nullptr);
    if (connection.vt != VT_UNKNOWN && connection.vt != VT_DISPATCH)
        return Fail(adErrInvalidConnection, "The command can only be given an open connection.");
    CComPtr<_Connection> given;
    connection.punkVal->QueryInterface(IID__Connection, reinterpret_cast<void**>(&given));
    if (!given)
        return Fail(adErrInvalidConnection, "The object given is not a connection.");
    return putref_ActiveConnection(given);
}

STDMETHODIMP CAdoCommand::get_CommandText(BSTR* text)
{
    if (!text)
        return E_POINTER;
    *text = BstrFromUtf8(m_text);
    return *text ? S_OK : E_OUTOFMEMORY;
}

STDMETHODIMP CAdoCommand::put_CommandText(BSTR text)
{
    m_text = Utf8FromBstr(text);
    return S_OK;
}

STDMETHODIMP CAdoCommand::put_CommandType(CommandTypeEnum type)
{
    if (type != adCmdText && type != adCmdUnknown && type != adCmdUnspecified)
        return Fail(adErrFeatureNotAvailable, "Only text commands can be run.");
    m_type = type;
    return S_OK;
}

HRESULT CAdoCommand::CheckSingleStatement(const std::string& sql)
{
    Statement first;
    const char* tail = nullptr;
    const int rc = first.Prepare(m_connection->Database(), sql.c_str(), &tail);
    if (rc != SQLITE_OK)
        return m_connection->ReportDatabase(rc, "The command cannot be run");
    if (!first.Get())
        return Fail(adErrInvalidArgument, "The command text is empty.");
    if (tail && !IsBlankOrComment(tail))
        return m_connection->Report(DB_E_ERRORSINCOMMAND, "Characters found after end of SQL statement.");
    return S_OK;
}

STDMETHODIMP CAdoCommand::Execute(VARIANT* recordsAffected, VARIANT* parameters, LONG options, _Recordset** records)
{
    if (records)
        *records = nullptr;
    if (!m_connection || !m_connection->Database())
        return Fail(adErrInvalidConnection, "The connection cannot be used to perform this operation. It is either "
                                            "closed or invalid in this context.");
    if (!IsMissing(parameters))
        return Fail(adErrFeatureNotAvailable, "Commands with parameters are not supported.");
    if (m_text.find('\0') != std::string::npos)
        return Fail(E_INVALIDARG, "The command text holds a NUL character.");
    const HRESULT hr = CheckSingleStatement(m_text);
    if (FAILED(hr))
        return hr;
    CComBSTR text;
    text.Attach(BstrFromUtf8(m_text));
    return m_connection->Execute(text, recordsAffected, options, records);
}

}  // namespace pollenta::ado
