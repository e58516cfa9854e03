#pragma once
// The edge of every COM member and class factory: no exception may cross it,
// since the caller may be another module or another language. Wrap the body:
//
//   STDMETHODIMP CThing::get_Name(BSTR* name)
//   {
//       return pollenta::com::GuardedCall([&] { return TextOut(m_name, name); });
//   }
//
// The body's own HRESULT comes back unchanged; memory running out becomes
// E_OUTOFMEMORY and any other exception E_FAIL.

#include "win/Errors.h"

#include <new>

namespace pollenta::com {

template <class Body>
HRESULT GuardedCall(Body&& body) noexcept
{
    try {
        return body();
    } catch (const std::bad_alloc&) {
        return E_OUTOFMEMORY;
    } catch (...) {
        return E_FAIL;
    }
}

}  // namespace pollenta::com
