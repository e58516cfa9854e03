#pragma once
// The IMAPISession behind a running mail client, so that the add-in and the
// sending component work on the client's own logon instead of one of their
// own.
//
//     CComPtr<IMAPISession> session;
//     HRESULT hr = GetSuperMapiSession(application, &session);
//
// The session is the value of the "MAPIOBJECT" property of the client's
// name space. The client's machine code is never searched for it (its
// library does not exist here): when the property gives no session, the
// result is E_FAIL. A null out pointer gives E_INVALIDARG; on success the
// caller owns one reference.

#include "OutlookApplication.h"

#include "mapi/IMAPISession.h"

HRESULT GetSuperMapiSession(_Application* application, IMAPISession** session);
// The same from the client's "MAPI" name space itself, for callers that hold
// the name space rather than the application.
HRESULT GetSuperMapiSessionFromNameSpace(IDispatch* nameSpace, IMAPISession** session);
