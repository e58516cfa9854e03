#include "CAdoError.h"

#include "Utf8.h"

namespace pollenta::ado {

namespace {
HRESULT OutText(const std::string& text, BSTR* out)
{
    if (!out)
        return E_POINTER;
    *out = BstrFromUtf8(text);
    return *out ? S_OK : E_OUTOFMEMORY;
}
}  // namespace

STDMETHODIMP CAdoError::get_Number(LONG* number)
{
    if (!number)
        return E_POINTER;
    *number = m_record.number;
    return S_OK;
}

STDMETHODIMP CAdoError::get_Source(BSTR* source) { return OutText(kAdoSource, source); }

STDMETHODIMP CAdoError::get_Description(BSTR* description) { return OutText(m_record.description, description); }

STDMETHODIMP CAdoError::get_NativeError(LONG* nativeError)
{
    if (!nativeError)
        return E_POINTER;
    *nativeError = m_record.nativeError;
    return S_OK;
}

}  // namespace pollenta::ado
