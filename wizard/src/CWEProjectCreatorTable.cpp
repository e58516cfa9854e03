// The creator's answer table: the CREATE TABLE request built from the
// fields or taken as the user edited it, and run through ADO.

#include "wizard/CWEProjectCreator.h"

#include "wizard/CWECOMException.h"
#include "wizard/SqlIdentifier.h"
#include "wizard/WEUtils.h"
#include "wizard/WizardIds.h"

#include "ado/AdoCreate.h"
#include "ado/Command.h"
#include "ado/Recordset.h"
#include "com/ComBstr.h"
#include "com/ComVariant.h"
#include "zr/FormatHResult.h"

std::string CWEProjectCreator::QuotedTableName() const { return SqlIdentifier(m_strTableName); }

int CWEProjectCreator::CreateTable()
{
    std::string request;
    if (m_pSettings->m_lSqlEdited) {
        request = m_pSettings->m_strSqlRequest;
        if (m_pSettings->m_lSqlCheck && !VerifyEditedSql(request))
            return 0;
    } else {
        request = BuildCreateTable();
        m_pSettings->m_strSqlRequest = request;
        m_pSettings->m_lSqlEdited = 0;
    }
    if (m_nMode == kCreating)
        ExecuteSql(request, true);
    return 1;
}

std::string CWEProjectCreator::BuildCreateTable()
{
    if (m_nMode == kPreparing)
        AddCollectedFields();
    std::string request = "CREATE TABLE " + QuotedTableName() + " (";
    bool first = true;
    m_fields.ForEach([&](std::uint64_t, CWEField& field) {
        request += first ? "\r\n\t" : ",\r\n\t";
        first = false;
        request += SqlIdentifier(field.m_strName) + " " + SqlTypeName(field.m_nType);
        if (field.m_nType == 2)
            request += "(" + std::to_string(field.m_nSize) + ")";
    });
    return request + ")";
}

int CWEProjectCreator::VerifyEditedSql(const std::string& request)
{
    int complete = 1;
    if (request.find(m_strTableName) == std::string::npos) {
        m_pErrors->Add(WE_E_SQL_NO_TABLE, {m_strTableName});
        complete = 0;
    }
    m_fields.ForEach([&](std::uint64_t, CWEField& field) {
        if (request.find(field.m_strName) == std::string::npos) {
            m_pErrors->Add(WE_E_SQL_NO_FIELD, {field.m_strName});
            complete = 0;
        }
    });
    return complete;
}

void CWEProjectCreator::ExecuteSql(const std::string& request, bool sqlMessage)
{
    if (request.empty())
        WE_THROW_UNEXPECTED();
    CComPtr<_Connection> connection;
    CComPtr<_Command> command;
    if (FAILED(AdoCreateInstance(CLSID_Connection, IID__Connection, reinterpret_cast<void**>(&connection))))
        CWEException::ThrowFormatted(WE_E_CREATE_OBJECT, {"Ado20::_Connection"});
    if (FAILED(AdoCreateInstance(CLSID_Command, IID__Command, reinterpret_cast<void**>(&command))))
        CWEException::ThrowFormatted(WE_E_CREATE_OBJECT, {"Ado20::_Command"});
    HRESULT hr = connection->Open(CComBSTR(m_settings.m_strConnectionString), CComBSTR(""), CComBSTR(""), -1);
    if (FAILED(hr))
        CWEException::ThrowFormatted(WE_E_DB_CONNECT,
                                     {FormatHResult(hr), GetComErrorText(hr, connection, IID__Connection)});
    hr = command->putref_ActiveConnection(connection);
    if (SUCCEEDED(hr))
        hr = command->put_CommandText(CComBSTR(request));
    if (SUCCEEDED(hr))
        hr = command->put_CommandType(adCmdText);
    CComVariant affected;
    CComPtr<_Recordset> records;
    if (SUCCEEDED(hr))
        hr = command->Execute(&affected, nullptr, adCmdText, &records);
    const std::string description = FAILED(hr) ? GetComErrorText(hr, command, IID__Command) : std::string();
    command->put_ActiveConnection(CComVariant());
    connection->Close();
    if (FAILED(hr) && sqlMessage)
        CWEException::ThrowFormatted(WE_E_SQL, {FormatHResult(hr), description});
    if (FAILED(hr))
        throw CWECOMException(hr, nullptr, IID__Command, WE_SOURCE_FILE, __LINE__);
}
