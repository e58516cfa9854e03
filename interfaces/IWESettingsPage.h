#pragma once
// IWESettingsPage: the add-in's options page as the Options dialog hosts
// it, besides PropertyPage: the dialog hands it its site and a window to
// show the page in.

#include "OutlookPropertyPage.h"

// {7C2D4F61-93B8-4E0A-A1C5-3F6E8D21B947}
inline constexpr IID IID_IWESettingsPage = {0x7C2D4F61, 0x93B8, 0x4E0A, {0xA1, 0xC5, 0x3F, 0x6E, 0x8D, 0x21, 0xB9, 0x47}};
// {5E91A3C2-0D47-4B8F-9E26-C84B1F7A3D05}
inline constexpr CLSID CLSID_WESettingsPage = {0x5E91A3C2, 0x0D47, 0x4B8F, {0x9E, 0x26, 0xC8, 0x4B, 0x1F, 0x7A, 0x3D, 0x05}};

struct IWESettingsPage : IDispatch {
    // The dialog's PropertyPageSite (queried from `site`); the page is not
    // dirty afterwards.
    STDMETHOD(SetClientSite)(IUnknown* site) PURE;
    // Makes the page's window as a child of the dialog's window `parent`
    // (a window handle of this process) and answers its handle.
    STDMETHOD(CreatePageWindow)(LONG_PTR parent, LONG_PTR* page) PURE;

protected:
    ~IWESettingsPage() = default;
};
POLLENTA_INTERFACE_IID(IWESettingsPage, IID_IWESettingsPage);
