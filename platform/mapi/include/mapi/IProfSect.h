#pragma once
// A section of a profile.

#include "mapi/IMAPIProp.h"

struct IProfSect : IMAPIProp {
protected:
    ~IProfSect() = default;
};
using LPPROFSECT = IProfSect*;
POLLENTA_INTERFACE_IID(IProfSect, IID_IProfSect);
