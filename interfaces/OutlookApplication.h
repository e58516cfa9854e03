#pragma once
// _Application: the mail client's application object as the add-in and the
// sending component call it. The client stand-in implements it; members are
// added here as callers come to need them, so the order below is ours.

#include "com/Dispatch.h"

// {00063001-0000-0000-C000-000000000046}
inline constexpr IID IID__Application = {0x00063001, 0x0000, 0x0000, {0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46}};

struct _Application : IDispatch {
    // The MAPI name space of the client; late-bound callers read its
    // "MAPIOBJECT" property for the client's own MAPI session.
    STDMETHOD(get_Session)(IDispatch** nameSpace) PURE;
    // The client's version, such as "11.0.8169".
    STDMETHOD(get_Version)(BSTR* version) PURE;

protected:
    ~_Application() = default;
};
POLLENTA_INTERFACE_IID(_Application, IID__Application);
