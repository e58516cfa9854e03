#pragma once
// A logon onto a profile: its stores, address book, profile section and
// spooler status.

#include "MapiObject.h"
#include "Profile.h"
#include "Spooler.h"
#include "mapi/IMAPISession.h"

namespace pollenta::mapi {

class CSession : public TMapiObject<IMAPISession> {
public:
    explicit CSession(CProfile profile);

    HRESULT GetLastError(HRESULT hr, ULONG flags, LPMAPIERROR* error) override;
    HRESULT GetMsgStoresTable(ULONG flags, LPMAPITABLE* table) override;
    HRESULT OpenMsgStore(ULONG_PTR ulUIParam, ULONG cb, LPENTRYID eid, LPCIID iid, ULONG flags, LPMDB* store) override;
    HRESULT OpenAddressBook(ULONG_PTR ulUIParam, LPCIID iid, ULONG flags, LPADRBOOK* book) override;
    HRESULT OpenProfileSection(LPMAPIUID uid, LPCIID iid, ULONG flags, LPPROFSECT* section) override;
    HRESULT GetStatusTable(ULONG flags, LPMAPITABLE* table) override;
    HRESULT OpenEntry(ULONG cb, LPENTRYID eid, LPCIID iid, ULONG flags, ULONG* type, LPUNKNOWN* object) override;
    HRESULT CompareEntryIDs(ULONG cb1, LPENTRYID eid1, ULONG cb2, LPENTRYID eid2, ULONG flags, ULONG* result) override;
    HRESULT Logoff(ULONG_PTR ulUIParam, ULONG flags, ULONG reserved) override;

private:
    CProfile m_profile;
    std::shared_ptr<CSpooler> m_spooler;
};

}  // namespace pollenta::mapi
