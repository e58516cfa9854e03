#pragma once
// The pages of the client's Options dialog that add-ins add while the
// dialog opens (ApplicationEvents OptionsPagesAdd).

#include "OutlookGuids.h"

#include "com/Dispatch.h"

struct PropertyPages : IDispatch {
    STDMETHOD(get_Count)(LONG* count) PURE;
    // The page's ProgID (VT_BSTR) or the page object itself, and its tab title.
    STDMETHOD(Add)(VARIANT page, BSTR title) PURE;

protected:
    ~PropertyPages() = default;
};
POLLENTA_INTERFACE_IID(PropertyPages, IID_PropertyPages);
