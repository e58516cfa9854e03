#pragma once
// The errors of a connection's last failed operation.

#include "ado/Error.h"
#include "com/Variant.h"

struct Errors : IUnknown {
    STDMETHOD(get_Count)(LONG* count) PURE;
    // By position from 0; adErrItemNotFound out of range.
    STDMETHOD(get_Item)(VARIANT index, Error** error) PURE;
    STDMETHOD(Clear)() PURE;

protected:
    ~Errors() = default;
};
POLLENTA_INTERFACE_IID(Errors, IID_Errors);
