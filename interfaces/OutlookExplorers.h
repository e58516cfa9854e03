#pragma once
// The client's folder windows. Each explorer tells ExplorerEvents sinks of
// Activate and Close; the collection tells ExplorersEvents sinks of every
// new one (NewExplorer, one VT_DISPATCH argument).

#include "OfficeCommandBars.h"
#include "OutlookGuids.h"

struct MAPIFolder;

struct _Explorer : IDispatch {
    STDMETHOD(get_CommandBars)(_CommandBars** bars) PURE;
    STDMETHOD(get_CurrentFolder)(MAPIFolder** folder) PURE;
    // The folder the window shows from now on; its caption names it.
    STDMETHOD(put_CurrentFolder)(MAPIFolder* folder) PURE;
    STDMETHOD(get_Caption)(BSTR* caption) PURE;
    STDMETHOD(Activate)() PURE;
    STDMETHOD(Close)() PURE;

protected:
    ~_Explorer() = default;
};
POLLENTA_INTERFACE_IID(_Explorer, IID__Explorer);

struct _Explorers : IDispatch {
    STDMETHOD(get_Count)(LONG* count) PURE;
    STDMETHOD(Item)(VARIANT index, _Explorer** explorer) PURE;
    // A new explorer on `folder` (left out: the Inbox).
    STDMETHOD(Add)(VARIANT folder, LONG displayMode, _Explorer** explorer) PURE;

protected:
    ~_Explorers() = default;
};
POLLENTA_INTERFACE_IID(_Explorers, IID__Explorers);
