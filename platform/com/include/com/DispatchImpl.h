#pragma once
// IDispatch for a class from its table of members: each member has a name
// (matched without regard to case), a DISPID and an invoker.
//
//   class CThing : public pollenta::com::CUnknownImpl<CThing, pollenta::com::CDispatchImpl<CThing, IThing>> {
//   public:
//       static std::span<const pollenta::com::DispatchMember<CThing>> DispatchMembers();
//       ...
//   };
//
// The invoker reads its arguments from the DispatchCall and calls the
// vtable method. A name that is not in the table gives DISP_E_UNKNOWNNAME,
// a DISPID that is not, DISP_E_MEMBERNOTFOUND.

#include "com/DispatchCall.h"
#include "com/Text.h"

#include <span>
#include <strings.h>

namespace pollenta::com {

template <class T>
struct DispatchMember {
    const char* name;
    DISPID id;
    HRESULT (*invoke)(T& self, DispatchCall& call);
};

// Finds `name` in a member table, without regard to case.
template <class T>
const DispatchMember<T>* FindDispatchMember(std::span<const DispatchMember<T>> members, const std::string& name)
{
    for (const DispatchMember<T>& member : members)
        if (strcasecmp(member.name, name.c_str()) == 0) return &member;
    return nullptr;
}

template <class T, class Interface>
class CDispatchImpl : public Interface {
public:
    using ImplementedInterface = Interface;

    STDMETHODIMP GetTypeInfoCount(UINT* count) override
    {
        if (!count) return E_POINTER;
        *count = 0;
        return S_OK;
    }
    STDMETHODIMP GetTypeInfo(UINT, LCID, ITypeInfo** info) override
    {
        if (info) *info = nullptr;
        return DISP_E_BADINDEX;
    }
    // The first name is the member; the others would be argument names,
    // which the table does not know.
    STDMETHODIMP GetIDsOfNames(REFIID iid, LPOLESTR* names, UINT count, LCID, DISPID* ids) override
    {
        if (iid != IID_NULL) return DISP_E_UNKNOWNINTERFACE;
        if (!names || !ids || count == 0) return E_INVALIDARG;
        for (UINT i = 0; i < count; ++i) ids[i] = DISPID_UNKNOWN;
        const DispatchMember<T>* member = FindDispatchMember<T>(T::DispatchMembers(), AnsiFromOleString(names[0]));
        if (!member || count > 1) {
            if (member) ids[0] = member->id;
            return DISP_E_UNKNOWNNAME;
        }
        ids[0] = member->id;
        return S_OK;
    }
    STDMETHODIMP Invoke(DISPID id, REFIID iid, LCID, WORD flags, DISPPARAMS* params, VARIANT* result,
                        EXCEPINFO*, UINT* argErr) override
    {
        if (iid != IID_NULL) return DISP_E_UNKNOWNINTERFACE;
        if (!params || (params->cArgs > 0 && !params->rgvarg) || params->cNamedArgs > params->cArgs)
            return E_INVALIDARG;
        for (const DispatchMember<T>& member : T::DispatchMembers()) {
            if (member.id != id) continue;
            DispatchCall call(flags, params, result, argErr);
            if (params->cNamedArgs > (call.IsPropertyPut() ? 1u : 0u)) return DISP_E_NONAMEDARGS;
            if (result) VariantInit(result);
            return member.invoke(static_cast<T&>(*this), call);
        }
        return DISP_E_MEMBERNOTFOUND;
    }
};

}  // namespace pollenta::com
