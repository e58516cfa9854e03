#include "com/DispatchCall.h"

#include "com/Text.h"

namespace pollenta::com {

DispatchCall::DispatchCall(WORD flags, DISPPARAMS* params, VARIANT* result, UINT* argErr)
    : m_flags(flags), m_params(params), m_result(result), m_argErr(argErr),
      m_positional(params->cArgs >= params->cNamedArgs ? params->cArgs - params->cNamedArgs : 0)
{
}

const VARIANT* DispatchCall::RawArg(UINT index) const
{
    return index < m_positional ? &m_params->rgvarg[SlotOf(index)] : nullptr;
}

bool DispatchCall::IsMissing(UINT index) const
{
    const VARIANT* arg = RawArg(index);
    return !arg || (arg->vt == VT_ERROR && arg->scode == DISP_E_PARAMNOTFOUND);
}

HRESULT DispatchCall::Fail(UINT slot, HRESULT hr) const
{
    if (m_argErr) *m_argErr = slot;
    return hr;
}

HRESULT DispatchCall::Arg(UINT index, VARTYPE vt, VARIANT* out) const
{
    if (!out) return E_POINTER;
    VariantInit(out);
    if (IsMissing(index)) return DISP_E_PARAMNOTFOUND;
    const VARIANT* arg = RawArg(index);
    const HRESULT hr = vt == VT_VARIANT ? VariantCopyInd(out, arg) : VariantChangeType(out, arg, 0, vt);
    return FAILED(hr) ? Fail(SlotOf(index), hr) : S_OK;
}

HRESULT DispatchCall::Arg(UINT index, LONG* out) const
{
    VARIANT value;
    const HRESULT hr = Arg(index, VT_I4, &value);
    if (SUCCEEDED(hr)) *out = value.lVal;
    return hr;
}

HRESULT DispatchCall::Arg(UINT index, VARIANT_BOOL* out) const
{
    VARIANT value;
    const HRESULT hr = Arg(index, VT_BOOL, &value);
    if (SUCCEEDED(hr)) *out = value.boolVal;
    return hr;
}

HRESULT DispatchCall::Arg(UINT index, BSTR* out) const
{
    VARIANT value;
    const HRESULT hr = Arg(index, VT_BSTR, &value);
    if (SUCCEEDED(hr)) *out = value.bstrVal;
    return hr;
}

HRESULT DispatchCall::Arg(UINT index, std::string* out) const
{
    BSTR text = nullptr;
    const HRESULT hr = Arg(index, &text);
    if (SUCCEEDED(hr)) *out = AnsiFromBstr(text);
    SysFreeString(text);
    return hr;
}

HRESULT DispatchCall::ArgRef(UINT index, VARTYPE vt, void** target) const
{
    if (!target) return E_POINTER;
    *target = nullptr;
    const VARIANT* arg = RawArg(index);
    if (!arg) return DISP_E_PARAMNOTFOUND;
    if (arg->vt != (VT_BYREF | vt) || !arg->byref) return Fail(SlotOf(index), DISP_E_TYPEMISMATCH);
    *target = arg->byref;
    return S_OK;
}

HRESULT DispatchCall::PutValue(VARTYPE vt, VARIANT* out) const
{
    if (!out) return E_POINTER;
    VariantInit(out);
    // The caller's parameter block is not trusted to hold what its counts say.
    if (!IsPropertyPut() || m_params->cNamedArgs != 1 || m_params->cArgs == 0 || !m_params->rgvarg ||
        !m_params->rgdispidNamedArgs || m_params->rgdispidNamedArgs[0] != DISPID_PROPERTYPUT)
        return DISP_E_PARAMNOTFOUND;
    const VARIANT* value = &m_params->rgvarg[0];
    const HRESULT hr = vt == VT_VARIANT ? VariantCopyInd(out, value) : VariantChangeType(out, value, 0, vt);
    return FAILED(hr) ? Fail(0, hr) : S_OK;
}

HRESULT DispatchCall::Return(VARIANT* value)
{
    if (m_result) {
        VariantClear(m_result);
        *m_result = *value;
        VariantInit(value);
        return S_OK;
    }
    VariantClear(value);
    return S_OK;
}

HRESULT DispatchCall::ReturnLong(LONG value)
{
    VARIANT v;
    VariantInit(&v);
    v.vt = VT_I4;
    v.lVal = value;
    return Return(&v);
}

HRESULT DispatchCall::ReturnBool(bool value)
{
    VARIANT v;
    VariantInit(&v);
    v.vt = VT_BOOL;
    v.boolVal = value ? VARIANT_TRUE : VARIANT_FALSE;
    return Return(&v);
}

HRESULT DispatchCall::ReturnBstr(BSTR value)
{
    VARIANT v;
    VariantInit(&v);
    v.vt = VT_BSTR;
    v.bstrVal = value;
    return Return(&v);
}

HRESULT DispatchCall::ReturnString(const std::string& value)
{
    BSTR text = BstrFromAnsi(value);
    if (!text) return E_OUTOFMEMORY;
    return ReturnBstr(text);
}

HRESULT DispatchCall::ReturnDispatch(IDispatch* value)
{
    VARIANT v;
    VariantInit(&v);
    v.vt = VT_DISPATCH;
    v.pdispVal = value;
    return Return(&v);
}

}  // namespace pollenta::com
