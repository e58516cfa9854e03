#include "TMMacros.h"

#include "BstrProperty.h"
#include "ComBoundary.h"

#include "com/ComVariant.h"

using pollenta::com::DispatchCall;
using pollenta::com::DispatchMember;
using pollenta::com::GuardedCall;

namespace {

HRESULT InvokeValue(TMMacros& self, DispatchCall& call)
{
    if (call.IsPropertyPut()) {
        CComVariant value;
        HRESULT hr = call.PutValue(VT_VARIANT, &value);
        return FAILED(hr) ? hr : self.put_Value(value);
    }
    if (!(call.Flags() & DISPATCH_PROPERTYGET))
        return DISP_E_MEMBERNOTFOUND;
    CComVariant value;
    HRESULT hr = self.get_Value(&value);
    return FAILED(hr) ? hr : call.Return(&value);
}

constexpr DispatchMember<TMMacros> Members[] = {
    {"Name", DISPID_TMMACROS_NAME, InvokeBstrProperty<TMMacros, &TMMacros::get_Name>},
    {"Value", DISPID_TMMACROS_VALUE, InvokeValue},
};

}  // namespace

TMMacros::TMMacros(std::string name, std::string value) : m_strName(std::move(name)), m_strValue(std::move(value)) {}

std::span<const DispatchMember<TMMacros>> TMMacros::DispatchMembers()
{
    return Members;
}

STDMETHODIMP TMMacros::get_Name(BSTR* pVal)
{
    return CopyTextToBstr(m_strName, pVal);
}

STDMETHODIMP TMMacros::get_Value(VARIANT* pVal)
{
    if (!pVal)
        return E_POINTER;
    VariantInit(pVal);
    BSTR text = nullptr;
    HRESULT hr = CopyTextToBstr(m_strValue, &text);
    if (FAILED(hr))
        return hr;
    pVal->vt = VT_BSTR;
    pVal->bstrVal = text;
    return S_OK;
}

STDMETHODIMP TMMacros::put_Value(VARIANT newVal)
{
    return GuardedCall([&] {
        CComVariant text;
        HRESULT hr = text.ChangeType(VT_BSTR, &newVal);
        if (SUCCEEDED(hr))
            m_strValue = pollenta::com::AnsiFromBstr(text.bstrVal);
        return hr;
    });
}

STDMETHODIMP TMMacros::InterfaceSupportsErrorInfo(REFIID iid)
{
    return iid == IID_ITMMacros ? S_OK : S_FALSE;
}
