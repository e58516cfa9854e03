#pragma once
// One error reported by a connection: a number and a description.

#include "ado/AdoGuids.h"
#include "com/Bstr.h"
#include "com/Unknown.h"

struct Error : IUnknown {
    STDMETHOD(get_Number)(LONG* number) PURE;
    STDMETHOD(get_Source)(BSTR* source) PURE;
    STDMETHOD(get_Description)(BSTR* description) PURE;
    // The code of the database engine behind the provider (an SQLite result code).
    STDMETHOD(get_NativeError)(LONG* nativeError) PURE;

protected:
    ~Error() = default;
};
POLLENTA_INTERFACE_IID(Error, IID_Error);
