#pragma once

#include "CAdoConnection.h"

#include "ado/Command.h"
#include "com/UnknownImpl.h"

#include <string>

namespace pollenta::ado {

class CAdoCommand final : public com::CUnknownImpl<CAdoCommand, _Command, ISupportErrorInfo> {
public:
    // Failures set the thread's error information.
    STDMETHODIMP InterfaceSupportsErrorInfo(REFIID iid) override { return iid == IID__Command ? S_OK : S_FALSE; }

    STDMETHODIMP putref_ActiveConnection(_Connection* connection) override;
    STDMETHODIMP put_ActiveConnection(VARIANT connection) override;
    STDMETHODIMP get_CommandText(BSTR* text) override;
    STDMETHODIMP put_CommandText(BSTR text) override;
    STDMETHODIMP put_CommandType(CommandTypeEnum type) override;
    STDMETHODIMP Execute(VARIANT* recordsAffected, VARIANT* parameters, LONG options, _Recordset** records) override;

private:
    HRESULT Fail(HRESULT hr, const std::string& description);
    HRESULT CheckSingleStatement(const std::string& sql);

    CComPtr<CAdoConnection> m_connection;
    std::string m_text;
    CommandTypeEnum m_type = adCmdUnknown;
};

}  // namespace pollenta::ado
