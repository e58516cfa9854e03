#pragma once
// The status object of a service; the spooler's flushes the outgoing queue.

#include "mapi/IMAPIProp.h"

struct IMAPIStatus : IMAPIProp {
    STDMETHOD(FlushQueues)(ULONG_PTR ulUIParam, ULONG cbTargetTransport, LPENTRYID lpTargetTransport,
                           ULONG ulFlags) PURE;

protected:
    ~IMAPIStatus() = default;
};
using LPMAPISTATUS = IMAPIStatus*;
POLLENTA_INTERFACE_IID(IMAPIStatus, IID_IMAPIStatus);
