#pragma once
// A distribution list: an address book entry whose contents are entries.

#include "mapi/IMAPIContainer.h"

struct IDistList : IMAPIContainer {
protected:
    ~IDistList() = default;
};
using LPDISTLIST = IDistList*;
POLLENTA_INTERFACE_IID(IDistList, IID_IDistList);
