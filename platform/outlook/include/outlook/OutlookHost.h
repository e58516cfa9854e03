#pragma once
// The mail client's object model over a MAPI session, as the stand-in
// client (headless or with windows) and tests hold it:
//
//     std::unique_ptr<OutlookHost> host;
//     OutlookHost::Create(session, {"11.0.5510", "Ann Example", "ann@example.org"}, host);
//     addIn->OnConnection(host->Application(), ext_cm_Startup, nullptr, &custom);
//     host->OpenExplorer(&explorer);                 // NewExplorer to every sink
//     ClickControl(bars, "Pollenta Help");           // by tag or caption
//     host->CloseWindows();                          // Close to every sink
//
// One object model serves both faces of the client: windows draw what it
// holds and act through it.

#include "outlook/OptionsPage.h"

#include "OutlookApplication.h"

#include "mapi/IMAPISession.h"

#include <memory>
#include <string>
#include <vector>

namespace pollenta::outlook {

// The version the add-ins were written against.
inline constexpr const char* kDefaultClientVersion = "11.0.5510";

struct HostSettings {
    std::string version = kDefaultClientVersion;
    std::string userName;
    std::string userAddress;
};

class OutlookHost {
public:
    static HRESULT Create(IMAPISession* session, const HostSettings& settings, std::unique_ptr<OutlookHost>& host);
    ~OutlookHost();
    OutlookHost(const OutlookHost&) = delete;
    OutlookHost& operator=(const OutlookHost&) = delete;

    _Application* Application() const { return m_application; }
    // A new explorer on the Inbox.
    HRESULT OpenExplorer(_Explorer** explorer);
    // What opening the Options dialog asks of the add-ins: every
    // ApplicationEvents sink hears OptionsPagesAdd; the pages they added.
    HRESULT CollectOptionsPages(std::vector<OptionsPage>& pages);
    // Closes every inspector, then every explorer, each telling its sinks.
    void CloseWindows();

private:
    explicit OutlookHost(CComPtr<_Application> application);

    CComPtr<_Application> m_application;
};

// Clicks the first control (searched through popups) whose tag, or else
// whose caption without its "&" marks, is `text`: S_OK, S_FALSE when no
// control has it.
HRESULT ClickControl(_CommandBars* bars, const std::string& text);

}  // namespace pollenta::outlook
