#pragma once
// An address book entry for one addressee.

#include "mapi/IMAPIProp.h"

struct IMailUser : IMAPIProp {
protected:
    ~IMailUser() = default;
};
using LPMAILUSER = IMailUser*;
POLLENTA_INTERFACE_IID(IMailUser, IID_IMailUser);
