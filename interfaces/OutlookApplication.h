#pragma once
// _Application: the mail client's application object as the add-in and the
// sending component call it. The client stand-in implements it; the order of
// the members is ours.

#include "OutlookExplorers.h"
#include "OutlookInspectors.h"
#include "OutlookNameSpace.h"

struct _Application : IDispatch {
    // The MAPI name space of the client; late-bound callers read its
    // "MAPIOBJECT" property for the client's own MAPI session.
    STDMETHOD(get_Session)(IDispatch** nameSpace) PURE;
    // The client's version, such as "11.0.8169".
    STDMETHOD(get_Version)(BSTR* version) PURE;
    // Only "MAPI" names a name space.
    STDMETHOD(GetNamespace)(BSTR type, _NameSpace** nameSpace) PURE;
    STDMETHOD(get_Explorers)(_Explorers** explorers) PURE;
    STDMETHOD(get_Inspectors)(_Inspectors** inspectors) PURE;
    // The explorer the user works in; null when none is open.
    STDMETHOD(ActiveExplorer)(_Explorer** explorer) PURE;
    // A new, unsaved item in the Drafts folder; olMailItem only.
    STDMETHOD(CreateItem)(LONG itemType, IDispatch** item) PURE;

protected:
    ~_Application() = default;
};
POLLENTA_INTERFACE_IID(_Application, IID__Application);
