#pragma once
// A message store: one store file with its folders.

#include "mapi/IMAPIAdviseSink.h"
#include "mapi/IMAPIProp.h"

struct IMsgStore : IMAPIProp {
    STDMETHOD(Advise)(ULONG cbEntryID, LPENTRYID lpEntryID, ULONG ulEventMask, LPMAPIADVISESINK lpAdviseSink,
                      ULONG_PTR* lpulConnection) PURE;
    STDMETHOD(Unadvise)(ULONG_PTR ulConnection) PURE;
    STDMETHOD(CompareEntryIDs)(ULONG cbEntryID1, LPENTRYID lpEntryID1, ULONG cbEntryID2, LPENTRYID lpEntryID2,
                               ULONG ulFlags, ULONG* lpulResult) PURE;
    STDMETHOD(OpenEntry)(ULONG cbEntryID, LPENTRYID lpEntryID, LPCIID lpInterface, ULONG ulFlags, ULONG* lpulObjType,
                         LPUNKNOWN* lppUnk) PURE;
    STDMETHOD(GetReceiveFolder)(LPSTR lpszMessageClass, ULONG ulFlags, ULONG* lpcbEntryID, LPENTRYID* lppEntryID,
                                LPSTR* lppszExplicitClass) PURE;
    STDMETHOD(AbortSubmit)(ULONG cbEntryID, LPENTRYID lpEntryID, ULONG ulFlags) PURE;

protected:
    ~IMsgStore() = default;
};
using LPMDB = IMsgStore*;
POLLENTA_INTERFACE_IID(IMsgStore, IID_IMsgStore);
