#pragma once
// PropertyPage and PropertyPageSite: a page of the mail client's Options
// dialog and the dialog's side of it, as the client's object model has
// them. A page tells the site when its state changed; the site then asks
// Dirty again and enables Apply.

#include "com/Dispatch.h"

// {0006307E-0000-0000-C000-000000000046}
inline constexpr IID IID_PropertyPage = {0x0006307E, 0x0000, 0x0000, {0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46}};
// {0006307F-0000-0000-C000-000000000046}
inline constexpr IID IID_PropertyPageSite = {0x0006307F, 0x0000, 0x0000, {0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46}};

struct PropertyPage : IDispatch {
    STDMETHOD(GetPageInfo)(BSTR* helpFile, LONG* helpContext) PURE;
    STDMETHOD(get_Dirty)(VARIANT_BOOL* dirty) PURE;
    STDMETHOD(Apply)() PURE;

protected:
    ~PropertyPage() = default;
};
POLLENTA_INTERFACE_IID(PropertyPage, IID_PropertyPage);

struct PropertyPageSite : IDispatch {
    STDMETHOD(OnStatusChange)() PURE;

protected:
    ~PropertyPageSite() = default;
};
POLLENTA_INTERFACE_IID(PropertyPageSite, IID_PropertyPageSite);
