#pragma once
// The address book of a session.

#include "mapi/IMAPIProp.h"

struct IAddrBook : IMAPIProp {
    STDMETHOD(OpenEntry)(ULONG cbEntryID, LPENTRYID lpEntryID, LPCIID lpInterface, ULONG ulFlags, ULONG* lpulObjType,
                         LPUNKNOWN* lppUnk) PURE;
    STDMETHOD(CompareEntryIDs)(ULONG cbEntryID1, LPENTRYID lpEntryID1, ULONG cbEntryID2, LPENTRYID lpEntryID2,
                               ULONG ulFlags, ULONG* lpulResult) PURE;
    STDMETHOD(CreateOneOff)(LPSTR lpszName, LPSTR lpszAdrType, LPSTR lpszAddress, ULONG ulFlags,
                            ULONG* lpcbEntryID, LPENTRYID* lppEntryID) PURE;
    STDMETHOD(ResolveName)(ULONG_PTR ulUIParam, ULONG ulFlags, LPSTR lpszNewEntryTitle, LPADRLIST lpAdrList) PURE;

protected:
    ~IAddrBook() = default;
};
using LPADRBOOK = IAddrBook*;
POLLENTA_INTERFACE_IID(IAddrBook, IID_IAddrBook);
