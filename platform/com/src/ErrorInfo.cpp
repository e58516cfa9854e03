#include "com/ErrorInfo.h"

#include "ErrorObject.h"
#include "com/ComPtr.h"

namespace {

// Each thread has its own error object, as each apartment does.
thread_local CComPtr<IErrorInfo> t_errorInfo;

}  // namespace

extern "C" {

HRESULT CreateErrorInfo(ICreateErrorInfo** info)
{
    if (!info) return E_INVALIDARG;
    return pollenta::com::CErrorObject::CreateInstance(IID_ICreateErrorInfo, reinterpret_cast<void**>(info));
}

HRESULT SetErrorInfo(ULONG reserved, IErrorInfo* info)
{
    if (reserved != 0) return E_INVALIDARG;
    t_errorInfo = info;
    return S_OK;
}

HRESULT GetErrorInfo(ULONG reserved, IErrorInfo** info)
{
    if (reserved != 0 || !info) return E_INVALIDARG;
    *info = t_errorInfo.Detach();
    return *info ? S_OK : S_FALSE;
}

}

namespace pollenta::com {

HRESULT ReportError(HRESULT hr, const std::string& description, const std::string& source, REFGUID iid)
{
    CComPtr<ICreateErrorInfo> create;
    if (FAILED(CreateErrorInfo(&create))) return hr;
    create->SetGUID(iid);
    create->SetSource(CComBSTR(source));
    create->SetDescription(CComBSTR(description));
    CComQIPtr<IErrorInfo> info(static_cast<IUnknown*>(create));
    SetErrorInfo(0, info);
    return hr;
}

std::string TakeErrorDescription(IUnknown* object, REFIID iid)
{
    CComQIPtr<ISupportErrorInfo> support(object);
    if (!support || support->InterfaceSupportsErrorInfo(iid) != S_OK) return {};
    CComPtr<IErrorInfo> info;
    if (GetErrorInfo(0, &info) != S_OK || !info) return {};
    CComBSTR description;
    info->GetDescription(&description);
    return description.ToString();
}

}  // namespace pollenta::com
