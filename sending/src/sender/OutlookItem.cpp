#include "OutlookItem.h"

#include "com/ComVariant.h"
#include "com/DispatchClient.h"
#include "com/ErrorInfo.h"
#include "com/Text.h"

#include <span>

namespace outlook {

namespace {

HRESULT ObjectFrom(HRESULT hr, CComVariant& value, CComPtr<IDispatch>& result)
{
    result.Release();
    if (FAILED(hr))
        return hr;
    if (value.vt == VT_DISPATCH)
        result = value.pdispVal;
    else if (value.vt == VT_UNKNOWN && value.punkVal)
        return value.punkVal->QueryInterface(IID_IDispatch, reinterpret_cast<void**>(&result));
    return S_OK;
}

}  // namespace

HRESULT GetObject(IDispatch* object, const char* name, CComPtr<IDispatch>& result)
{
    CComVariant value;
    return ObjectFrom(pollenta::com::GetProperty(object, name, &value), value, result);
}

HRESULT CallObject(IDispatch* object, const char* name, const CComVariant& argument, CComPtr<IDispatch>& result)
{
    CComVariant value;
    HRESULT hr = pollenta::com::InvokeByName(object, name, DISPATCH_METHOD, std::span(&argument, 1), &value);
    return ObjectFrom(hr, value, result);
}

HRESULT CallObject(IDispatch* object, const char* name, CComPtr<IDispatch>& result)
{
    CComVariant value;
    HRESULT hr = pollenta::com::InvokeByName(object, name, DISPATCH_METHOD, {}, &value);
    return ObjectFrom(hr, value, result);
}

HRESULT Call(IDispatch* object, const char* name)
{
    CComVariant value;
    return pollenta::com::InvokeByName(object, name, DISPATCH_METHOD, {}, &value);
}

HRESULT GetText(IDispatch* object, const char* name, std::string& text)
{
    CComVariant value;
    HRESULT hr = pollenta::com::GetProperty(object, name, &value);
    if (SUCCEEDED(hr))
        hr = value.ChangeType(VT_BSTR);
    if (SUCCEEDED(hr))
        text = pollenta::com::AnsiFromBstr(value.bstrVal);
    return hr;
}

HRESULT MessageOf(IDispatch* item, CComPtr<IMessage>& message)
{
    message.Release();
    CComVariant value;
    HRESULT hr = pollenta::com::GetProperty(item, "MAPIOBJECT", &value);
    if (FAILED(hr))
        return hr;
    if ((value.vt != VT_UNKNOWN && value.vt != VT_DISPATCH) || !value.punkVal)
        return E_FAIL;
    hr = value.punkVal->QueryInterface(IID_IMessage, reinterpret_cast<void**>(&message));
    return SUCCEEDED(hr) && !message ? E_FAIL : hr;
}

HRESULT DefaultFolder(IDispatch* application, LONG folderKind, CComPtr<IDispatch>& folder)
{
    CComPtr<IDispatch> nameSpace;
    HRESULT hr = CallObject(application, "GetNamespace", CComVariant("MAPI"), nameSpace);
    if (SUCCEEDED(hr) && !nameSpace)
        hr = E_FAIL;
    if (SUCCEEDED(hr))
        hr = CallObject(nameSpace, "GetDefaultFolder", CComVariant(folderKind), folder);
    return SUCCEEDED(hr) && !folder ? E_FAIL : hr;
}

std::string ErrorText(IDispatch* object, REFIID iid)
{
    return pollenta::com::TakeErrorDescription(object, iid);
}

}  // namespace outlook
