#pragma once
// The address book of a session over the profile's address book file.

#include "AddressBookFile.h"
#include "PropObject.h"
#include "mapi/IAddrBook.h"

namespace pollenta::mapi {

class CAddrBook : public TPropObject<IAddrBook> {
public:
    explicit CAddrBook(std::shared_ptr<CAddressBookFile> book);

    HRESULT OpenEntry(ULONG cb, LPENTRYID eid, LPCIID iid, ULONG flags, ULONG* type, LPUNKNOWN* object) override;
    HRESULT CompareEntryIDs(ULONG cb1, LPENTRYID eid1, ULONG cb2, LPENTRYID eid2, ULONG flags, ULONG* result) override;
    HRESULT CreateOneOff(LPSTR name, LPSTR addrType, LPSTR address, ULONG flags, ULONG* cb, LPENTRYID* eid) override;
    HRESULT ResolveName(ULONG_PTR ulUIParam, ULONG flags, LPSTR title, LPADRLIST list) override;

    const std::shared_ptr<CAddressBookFile>& File() const { return m_book; }
    // The properties of any entry id the book knows, one-offs included.
    CPropMap PropsOf(const std::string& entryId, ULONG& type);

protected:
    bool Writable() override { return false; }

private:
    // The mail user the book knows by exactly this SMTP address, else a
    // one-off of the name (the address when empty) and the address.
    CPropMap ResolveAddress(const std::string& name, const std::string& address);
    // S_OK with the entry's properties, or the failure for this name.
    HRESULT Resolve(const std::string& name, ULONG flags, CPropMap& resolved);

    std::shared_ptr<CAddressBookFile> m_book;
};

}  // namespace pollenta::mapi
