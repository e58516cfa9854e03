#include "ErrorObject.h"

namespace pollenta::com {

STDMETHODIMP CErrorObject::GetGUID(GUID* guid)
{
    if (!guid) return E_INVALIDARG;
    *guid = m_guid;
    return S_OK;
}

STDMETHODIMP CErrorObject::GetSource(BSTR* source)
{
    if (!source) return E_INVALIDARG;
    return m_source.CopyTo(source);
}

STDMETHODIMP CErrorObject::GetDescription(BSTR* description)
{
    if (!description) return E_INVALIDARG;
    return m_description.CopyTo(description);
}

STDMETHODIMP CErrorObject::GetHelpFile(BSTR* helpFile)
{
    if (!helpFile) return E_INVALIDARG;
    return m_helpFile.CopyTo(helpFile);
}

STDMETHODIMP CErrorObject::GetHelpContext(DWORD* helpContext)
{
    if (!helpContext) return E_INVALIDARG;
    *helpContext = m_helpContext;
    return S_OK;
}

STDMETHODIMP CErrorObject::SetGUID(REFGUID guid)
{
    m_guid = guid;
    return S_OK;
}

STDMETHODIMP CErrorObject::SetSource(LPOLESTR source)
{
    m_source = source;
    return S_OK;
}

STDMETHODIMP CErrorObject::SetDescription(LPOLESTR description)
{
    m_description = description;
    return S_OK;
}

STDMETHODIMP CErrorObject::SetHelpFile(LPOLESTR helpFile)
{
    m_helpFile = helpFile;
    return S_OK;
}

STDMETHODIMP CErrorObject::SetHelpContext(DWORD helpContext)
{
    m_helpContext = helpContext;
    return S_OK;
}

}  // namespace pollenta::com
