#pragma once
// The mail client stand-in run in this process with its windows offscreen,
// as `mailhost --profile NAME` runs it: its object model on the profile's
// session, the main explorer, and the add-in Kestrin.WEConnect created by
// its ProgID and connected. The end shuts it down in the client's order
// and logs off, so that no session of this process stays on the profile.
//
//     InProcessHost host("Survey");
//     host.Windows().Trigger(host.Explorer(), "Create survey...");

#include "AddInDesigner.h"
#include "OutlookApplication.h"
#include "outlook/OutlookHost.h"
#include "outlookwindows/HostWindows.h"

#include "com/ComPtr.h"
#include "mapi/IMAPISession.h"

#include <memory>
#include <string>

class InProcessHost {
public:
    explicit InProcessHost(const std::string& profile);
    ~InProcessHost();
    // Shuts down; a RoadFailure when something still holds the session.
    void Close();
    InProcessHost(const InProcessHost&) = delete;
    InProcessHost& operator=(const InProcessHost&) = delete;

    _Application* Application() const { return m_host->Application(); }
    _Explorer* Explorer() const { return m_explorer; }
    pollenta::outlook::HostWindows& Windows() { return *m_windows; }
    // The first open inspector; null when none is open.
    CComPtr<_Inspector> FirstInspector() const;

private:
    void ConnectAddIn();
    void ShutDown();

    bool m_mapi = false;
    bool m_com = false;
    bool m_sessionHeld = false;
    CComPtr<IMAPISession> m_session;
    std::unique_ptr<pollenta::outlook::OutlookHost> m_host;
    std::unique_ptr<pollenta::outlook::HostWindows> m_windows;
    CComPtr<_Explorer> m_explorer;
    CComPtr<IDTExtensibility2> m_addIn;
};
