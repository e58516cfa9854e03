#pragma once
// The class objects of a server module and its DllGetClassObject:
//
//   static const pollenta::com::ClassEntry kClasses[] = {
//       {&CLSID_Thing, pollenta::com::MakeClassFactory<CThing>},
//   };
//   STDAPI DllGetClassObject(REFCLSID clsid, REFIID iid, void** out)
//   {
//       return pollenta::com::GetClassObject(kClasses, clsid, iid, out);
//   }
//   STDAPI DllCanUnloadNow() { return pollenta::com::ModuleLock::CanUnloadNow(); }
//
// T provides `static HRESULT CreateInstance(REFIID, void**)`, as
// CUnknownImpl does. Aggregation is not offered.

#include "com/ClassFactory.h"
#include "com/UnknownImpl.h"

#include <span>

namespace pollenta::com {

template <class T>
class CClassFactory : public CUnknownImpl<CClassFactory<T>, IClassFactory> {
public:
    CClassFactory() = default;

    STDMETHODIMP CreateInstance(IUnknown* outer, REFIID iid, void** out) override
    {
        if (!out) return E_POINTER;
        *out = nullptr;
        if (outer) return CLASS_E_NOAGGREGATION;
        return T::CreateInstance(iid, out);
    }
    STDMETHODIMP LockServer(BOOL lock) override
    {
        if (lock)
            ModuleLock::Lock();
        else
            ModuleLock::Unlock();
        return S_OK;
    }
};

struct ClassEntry {
    const CLSID* clsid;
    HRESULT (*getClassObject)(REFIID iid, void** out);
};

template <class T>
HRESULT MakeClassFactory(REFIID iid, void** out)
{
    // IClassFactory::CreateInstance hides the static one of CUnknownImpl.
    return CUnknownImpl<CClassFactory<T>, IClassFactory>::CreateInstance(iid, out);
}

// CLASS_E_CLASSNOTAVAILABLE for a CLSID that is not in `classes`.
inline HRESULT GetClassObject(std::span<const ClassEntry> classes, REFCLSID clsid, REFIID iid, void** out)
{
    if (!out) return E_POINTER;
    *out = nullptr;
    for (const ClassEntry& entry : classes)
        if (*entry.clsid == clsid) return entry.getClassObject(iid, out);
    return CLASS_E_CLASSNOTAVAILABLE;
}

}  // namespace pollenta::com
