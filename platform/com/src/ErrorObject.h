#pragma once
// The error object CreateErrorInfo hands out: filled through
// ICreateErrorInfo, read through IErrorInfo.

#include "com/ComBstr.h"
#include "com/ErrorInfo.h"
#include "com/UnknownImpl.h"

namespace pollenta::com {

class CErrorObject : public CUnknownImpl<CErrorObject, IErrorInfo, ICreateErrorInfo> {
public:
    STDMETHODIMP GetGUID(GUID* guid) override;
    STDMETHODIMP GetSource(BSTR* source) override;
    STDMETHODIMP GetDescription(BSTR* description) override;
    STDMETHODIMP GetHelpFile(BSTR* helpFile) override;
    STDMETHODIMP GetHelpContext(DWORD* helpContext) override;

    STDMETHODIMP SetGUID(REFGUID guid) override;
    STDMETHODIMP SetSource(LPOLESTR source) override;
    STDMETHODIMP SetDescription(LPOLESTR description) override;
    STDMETHODIMP SetHelpFile(LPOLESTR helpFile) override;
    STDMETHODIMP SetHelpContext(DWORD helpContext) override;

private:
    GUID m_guid = GUID_NULL;
    CComBSTR m_source;
    CComBSTR m_description;
    CComBSTR m_helpFile;
    DWORD m_helpContext = 0;
};

}  // namespace pollenta::com
