#pragma once
// The add-in's connection object as COM sees it: IWEConnect, a dual
// interface with no members of its own, and IWEOLMenuSink, through which
// the add-in's menus and buttons reach it (OnClickButon, spelled so).

#include "KestrinGuids.h"

#include "com/Dispatch.h"

enum WEMenuItemType : LONG { wemitStatic = 0, wemitDynamic = 1 };

struct IWEConnect : IDispatch {
protected:
    ~IWEConnect() = default;
};
POLLENTA_INTERFACE_IID(IWEConnect, IID_IWEConnect);

struct IWEOLMenuSink : IUnknown {
    STDMETHOD(OnClickButon)(WEMenuItemType wemitType, LONG lMenuItemId) PURE;

protected:
    ~IWEOLMenuSink() = default;
};
POLLENTA_INTERFACE_IID(IWEOLMenuSink, IID_IWEOLMenuSink);
