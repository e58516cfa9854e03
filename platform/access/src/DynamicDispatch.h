#pragma once
// IDispatch for objects whose members are known only at run time (the
// settings of a form or control): T answers
//   bool HasMember(const std::string& name) const;
//   HRESULT InvokeMember(const std::string& name, pollenta::com::DispatchCall& call);
// InvokeMember answers DISP_E_MEMBERNOTFOUND for a name the object lacks:
// a DISPID is process-wide, so it may come from another object's name.
// Names get process-wide DISPIDs from DispatchNames.

#include "DispatchNames.h"

#include "com/DispatchCall.h"
#include "com/Text.h"

namespace pollenta::access {

template <class T, class Interface>
class DynamicDispatch : public Interface {
public:
    using ImplementedInterface = Interface;

    STDMETHODIMP GetTypeInfoCount(UINT* count) override
    {
        if (!count)
            return E_POINTER;
        *count = 0;
        return S_OK;
    }
    STDMETHODIMP GetTypeInfo(UINT, LCID, ITypeInfo** info) override
    {
        if (info)
            *info = nullptr;
        return DISP_E_BADINDEX;
    }
    STDMETHODIMP GetIDsOfNames(REFIID iid, LPOLESTR* names, UINT count, LCID, DISPID* ids) override
    {
        if (iid != IID_NULL)
            return DISP_E_UNKNOWNINTERFACE;
        if (!names || !names[0] || !ids || count == 0)
            return E_INVALIDARG;
        for (UINT i = 0; i < count; ++i)
            ids[i] = DISPID_UNKNOWN;
        const std::string name = pollenta::com::AnsiFromOleString(names[0]);
        if (!static_cast<const T&>(*this).HasMember(name))
            return DISP_E_UNKNOWNNAME;
        ids[0] = DispIdOfName(name);
        return count == 1 ? S_OK : DISP_E_UNKNOWNNAME;
    }
    STDMETHODIMP Invoke(DISPID id, REFIID iid, LCID, WORD flags, DISPPARAMS* params, VARIANT* result, EXCEPINFO*,
                        UINT* argErr) override
    {
        if (iid != IID_NULL)
            return DISP_E_UNKNOWNINTERFACE;
        if (!params || (params->cArgs > 0 && !params->rgvarg) || params->cNamedArgs > params->cArgs)
            return E_INVALIDARG;
        const std::optional<std::string> name = NameOfDispId(id);
        if (!name)
            return DISP_E_MEMBERNOTFOUND;
        pollenta::com::DispatchCall call(flags, params, result, argErr);
        if (result)
            VariantInit(result);
        return static_cast<T&>(*this).InvokeMember(*name, call);
    }
};

}  // namespace pollenta::access
