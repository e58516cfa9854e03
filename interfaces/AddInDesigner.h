#pragma once
// IDTExtensibility2: what a COM add-in offers its host. The host calls
// OnConnection when it loads the add-in and OnDisconnection before it lets
// it go, both on its user-interface thread.

#include "com/Dispatch.h"
#include "com/SafeArray.h"

// {B65AD801-ABAF-11D0-BB8B-00A0C90F2744}
inline constexpr IID IID_IDTExtensibility2 = {
    0xB65AD801, 0xABAF, 0x11D0, {0xBB, 0x8B, 0x00, 0xA0, 0xC9, 0x0F, 0x27, 0x44}};

enum ext_ConnectMode : LONG {
    ext_cm_AfterStartup = 0,
    ext_cm_Startup = 1,
    ext_cm_External = 2,
    ext_cm_CommandLine = 3
};
// ext_dm_HostShutdown: the host is closing; ext_dm_UserClosed: the user
// unloads the add-in.
enum ext_DisconnectMode : LONG { ext_dm_HostShutdown = 0, ext_dm_UserClosed = 1 };

struct IDTExtensibility2 : IDispatch {
    STDMETHOD(OnConnection)
    (IDispatch* application, ext_ConnectMode mode, IDispatch* addInInstance, SAFEARRAY** custom) PURE;
    STDMETHOD(OnDisconnection)(ext_DisconnectMode mode, SAFEARRAY** custom) PURE;
    STDMETHOD(OnAddInsUpdate)(SAFEARRAY** custom) PURE;
    STDMETHOD(OnStartupComplete)(SAFEARRAY** custom) PURE;
    STDMETHOD(OnBeginShutdown)(SAFEARRAY** custom) PURE;

protected:
    ~IDTExtensibility2() = default;
};
POLLENTA_INTERFACE_IID(IDTExtensibility2, IID_IDTExtensibility2);
