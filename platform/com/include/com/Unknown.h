#pragma once
// IUnknown: the root of every COM interface, and the link between an
// interface type and its IID that the smart pointers and object helpers use.

#include "com/Guid.h"

namespace pollenta::com {
// Specialised once per interface with POLLENTA_INTERFACE_IID; an interface
// without one cannot be used with CComPtr<T>::QueryInterface or CComQIPtr.
template <class Interface>
struct InterfaceIid;

template <class Interface>
constexpr const IID& IidOf()
{
    return InterfaceIid<Interface>::value;
}
}  // namespace pollenta::com

// Used at global scope, after the interface and its IID are declared.
#define POLLENTA_INTERFACE_IID(Interface, iid)                      \
    template <>                                                     \
    struct pollenta::com::InterfaceIid<Interface> {                 \
        static constexpr const IID& value = iid;                    \
    }

// {00000000-0000-0000-C000-000000000046}
inline constexpr IID IID_IUnknown = {0x00000000, 0x0000, 0x0000, {0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46}};
inline constexpr IID IID_NULL = GUID_NULL;

struct IUnknown {
    STDMETHOD(QueryInterface)(REFIID riid, void** ppvObject) PURE;
    STDMETHOD_(ULONG, AddRef)() PURE;
    STDMETHOD_(ULONG, Release)() PURE;

protected:
    ~IUnknown() = default;
};
using LPUNKNOWN = IUnknown*;
POLLENTA_INTERFACE_IID(IUnknown, IID_IUnknown);
