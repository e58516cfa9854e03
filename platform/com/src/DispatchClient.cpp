#include "com/DispatchClient.h"

#include "com/ComBstr.h"

#include <vector>

namespace pollenta::com {

HRESULT GetDispId(IDispatch* object, const std::string& name, DISPID* id)
{
    if (!object || !id) return E_POINTER;
    CComBSTR wide(name);
    LPOLESTR names[] = {wide.m_str};
    return object->GetIDsOfNames(IID_NULL, names, 1, 0, id);
}

HRESULT InvokeById(IDispatch* object, DISPID id, WORD flags, std::span<const CComVariant> args, VARIANT* result)
{
    if (!object) return E_POINTER;
    // DISPPARAMS holds the last argument first; the arguments are only
    // lent, so shallow copies do.
    std::vector<VARIANT> reversed(args.rbegin(), args.rend());
    DISPID putId = DISPID_PROPERTYPUT;
    DISPPARAMS params{reversed.data(), nullptr, static_cast<UINT>(reversed.size()), 0};
    if (flags & (DISPATCH_PROPERTYPUT | DISPATCH_PROPERTYPUTREF)) {
        if (args.empty()) return DISP_E_BADPARAMCOUNT;
        params.rgdispidNamedArgs = &putId;
        params.cNamedArgs = 1;
    }
    if (result) VariantClear(result);
    UINT argErr = 0;
    return object->Invoke(id, IID_NULL, 0, flags, &params, result, nullptr, &argErr);
}

HRESULT InvokeByName(IDispatch* object, const std::string& name, WORD flags, std::span<const CComVariant> args,
                     VARIANT* result)
{
    DISPID id = DISPID_UNKNOWN;
    const HRESULT hr = GetDispId(object, name, &id);
    if (FAILED(hr)) return hr;
    return InvokeById(object, id, flags, args, result);
}

HRESULT GetProperty(IDispatch* object, const std::string& name, VARIANT* result)
{
    return InvokeByName(object, name, DISPATCH_PROPERTYGET, {}, result);
}

HRESULT PutProperty(IDispatch* object, const std::string& name, const CComVariant& value)
{
    return InvokeByName(object, name, DISPATCH_PROPERTYPUT, std::span<const CComVariant>(&value, 1), nullptr);
}

}  // namespace pollenta::com
