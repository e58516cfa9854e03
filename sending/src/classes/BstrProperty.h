#pragma once
// Text properties of the component's objects: copies into new BSTRs, and
// the dispatch invoker of a read-only one.

#include "com/DispatchCall.h"
#include "com/Text.h"

#include <new>
#include <string>

// Hands out a copy of an ANSI text as a new BSTR.
inline HRESULT CopyTextToBstr(const std::string& text, BSTR* out) noexcept
{
    if (!out)
        return E_POINTER;
    try {
        *out = pollenta::com::BstrFromAnsi(text);
    } catch (const std::bad_alloc&) {
        *out = nullptr;
    }
    return *out ? S_OK : E_OUTOFMEMORY;
}

template <class T, HRESULT (T::*Getter)(BSTR*)>
HRESULT InvokeBstrProperty(T& self, pollenta::com::DispatchCall& call)
{
    if (!(call.Flags() & DISPATCH_PROPERTYGET))
        return DISP_E_MEMBERNOTFOUND;
    BSTR value = nullptr;
    HRESULT hr = (self.*Getter)(&value);
    return FAILED(hr) ? hr : call.ReturnBstr(value);
}
