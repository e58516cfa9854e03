#pragma once
// An attachment of a message; its data is the PR_ATTACH_DATA_BIN stream.

#include "mapi/IMAPIProp.h"

struct IAttachment : IMAPIProp {
protected:
    ~IAttachment() = default;
};
using LPATTACH = IAttachment*;
POLLENTA_INTERFACE_IID(IAttachment, IID_IAttachment);
