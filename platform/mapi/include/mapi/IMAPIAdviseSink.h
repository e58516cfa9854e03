#pragma once
// The receiver of notifications.

#include "com/Unknown.h"
#include "mapi/MapiGuids.h"

struct IMAPIAdviseSink : IUnknown {
    STDMETHOD_(ULONG, OnNotify)(ULONG cNotif, LPNOTIFICATION lpNotifications) PURE;

protected:
    ~IMAPIAdviseSink() = default;
};
using LPMAPIADVISESINK = IMAPIAdviseSink*;
POLLENTA_INTERFACE_IID(IMAPIAdviseSink, IID_IMAPIAdviseSink);
using NOTIFCALLBACK = ULONG (*)(LPVOID lpvContext, ULONG cNotification, LPNOTIFICATION lpNotifications);
using LPNOTIFCALLBACK = NOTIFCALLBACK;
