#pragma once
// A container of entries: folders, distribution lists.

#include "mapi/IMAPIProp.h"
#include "mapi/IMAPITable.h"

struct IMAPIContainer : IMAPIProp {
    STDMETHOD(GetContentsTable)(ULONG ulFlags, LPMAPITABLE* lppTable) PURE;
    STDMETHOD(GetHierarchyTable)(ULONG ulFlags, LPMAPITABLE* lppTable) PURE;
    STDMETHOD(OpenEntry)(ULONG cbEntryID, LPENTRYID lpEntryID, LPCIID lpInterface, ULONG ulFlags,
                         ULONG* lpulObjType, LPUNKNOWN* lppUnk) PURE;

protected:
    ~IMAPIContainer() = default;
};
using LPMAPICONTAINER = IMAPIContainer*;
POLLENTA_INTERFACE_IID(IMAPIContainer, IID_IMAPIContainer);
