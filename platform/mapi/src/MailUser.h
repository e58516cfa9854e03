#pragma once
// An addressee: an entry of the address book or a one-off address.

#include "AddressBookFile.h"
#include "PropObject.h"
#include "mapi/IMailUser.h"

namespace pollenta::mapi {

class CMailUser : public TPropObject<IMailUser> {
public:
    // id 0: a one-off, whose properties are `props` and cannot be saved.
    CMailUser(std::shared_ptr<CAddressBookFile> book, LONGLONG id, CPropMap props);

protected:
    void Save(ULONG flags) override;

private:
    std::shared_ptr<CAddressBookFile> m_book;
    LONGLONG m_id;
};

}  // namespace pollenta::mapi
