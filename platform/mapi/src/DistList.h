#pragma once
// A distribution list of the address book; its contents table lists its
// members, lists among them included.

#include "AddressBookFile.h"
#include "PropObject.h"
#include "mapi/IDistList.h"

namespace pollenta::mapi {

class CAddrBook;

class CDistList : public TPropObject<IDistList> {
public:
    // `props`: the entry's properties as the book shows them.
    CDistList(std::shared_ptr<CAddressBookFile> book, LONGLONG id, CAddrBook* addrBook, CPropMap props);
    ~CDistList() override;

    HRESULT GetContentsTable(ULONG flags, LPMAPITABLE* table) override;
    HRESULT GetHierarchyTable(ULONG flags, LPMAPITABLE* table) override;
    HRESULT OpenEntry(ULONG cb, LPENTRYID eid, LPCIID iid, ULONG flags, ULONG* type, LPUNKNOWN* object) override;

protected:
    void Save(ULONG flags) override;

private:
    std::shared_ptr<CAddressBookFile> m_book;
    LONGLONG m_id;
    CAddrBook* m_addrBook;
};

}  // namespace pollenta::mapi
