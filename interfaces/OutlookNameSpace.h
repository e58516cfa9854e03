#pragma once
// The client's MAPI name space and its folders.

#include "OutlookGuids.h"
#include "OutlookMailItem.h"

#include "com/Dispatch.h"

struct _Folders;
struct _Items;

// A folder of a store. Entry ids travel as upper-case hexadecimal text.
struct MAPIFolder : IDispatch {
    STDMETHOD(get_EntryID)(BSTR* entryId) PURE;
    STDMETHOD(get_StoreID)(BSTR* storeId) PURE;
    STDMETHOD(get_Name)(BSTR* name) PURE;
    STDMETHOD(get_Items)(_Items** items) PURE;
    STDMETHOD(get_Folders)(_Folders** folders) PURE;

protected:
    ~MAPIFolder() = default;
};
POLLENTA_INTERFACE_IID(MAPIFolder, IID_MAPIFolder);

struct _Folders : IDispatch {
    STDMETHOD(get_Count)(LONG* count) PURE;
    // By 1-based position or by name.
    STDMETHOD(Item)(VARIANT index, MAPIFolder** folder) PURE;

protected:
    ~_Folders() = default;
};
POLLENTA_INTERFACE_IID(_Folders, IID__Folders);

// The messages of a folder, in the folder's order.
struct _Items : IDispatch {
    STDMETHOD(get_Count)(LONG* count) PURE;
    // By 1-based position.
    STDMETHOD(Item)(VARIANT index, IDispatch** item) PURE;

protected:
    ~_Items() = default;
};
POLLENTA_INTERFACE_IID(_Items, IID__Items);

struct _NameSpace : IDispatch {
    STDMETHOD(GetDefaultFolder)(LONG folderType, MAPIFolder** folder) PURE;
    // The store id may be left out (VT_ERROR) for the default store.
    STDMETHOD(GetItemFromID)(BSTR entryId, VARIANT storeId, IDispatch** item) PURE;
    STDMETHOD(get_CurrentUser)(Recipient** user) PURE;
    // The top folders of every store: one per store.
    STDMETHOD(get_Folders)(_Folders** folders) PURE;
    // The client's IMAPISession.
    STDMETHOD(get_MAPIOBJECT)(IUnknown** session) PURE;

protected:
    ~_NameSpace() = default;
};
POLLENTA_INTERFACE_IID(_NameSpace, IID__NameSpace);
