#include "InProcessHost.h"

#include "RoadFailure.h"

#include "outlook/EditorPreference.h"

#include "com/Activation.h"
#include "com/ComVariant.h"
#include "mapi/Mapi.h"

namespace {

constexpr const char16_t* kAddIn = u"Kestrin.WEConnect";

}  // namespace

InProcessHost::InProcessHost(const std::string& profile)
{
    MAPIINIT_0 init = {MAPI_INIT_VERSION, MAPI_MULTITHREAD_NOTIFICATIONS};
    m_mapi = SUCCEEDED(MAPIInitialize(&init));
    m_com = SUCCEEDED(CoInitialize(nullptr));
    try {
        Require(m_mapi && m_com, "MAPI and COM do not start");
        std::string name = profile;
        Require(SUCCEEDED(MAPILogonEx(0, name.data(), nullptr, MAPI_EXTENDED | MAPI_NEW_SESSION, &m_session)),
                "cannot log on to the profile " + profile);
        Require(SUCCEEDED(pollenta::outlook::OutlookHost::Create(
                    m_session, {pollenta::outlook::kDefaultClientVersion, "Mia Sender", "mia@example.org"}, m_host)),
                "the client's object model does not start");
        pollenta::outlook::EnsureEditorPreference(pollenta::outlook::kDefaultClientVersion);
        m_windows = std::make_unique<pollenta::outlook::HostWindows>(*m_host);
        Require(SUCCEEDED(m_host->OpenExplorer(&m_explorer)), "the explorer does not open");
        ConnectAddIn();
        m_windows->ProcessEvents();
    } catch (...) {
        ShutDown();
        throw;
    }
}

InProcessHost::~InProcessHost()
{
    ShutDown();
}

void InProcessHost::Close()
{
    ShutDown();
    Require(!m_sessionHeld, "the client's MAPI session is still held after shut-down: this process would go on "
                            "taking the mail dropped for the next host");
}

void InProcessHost::ConnectAddIn()
{
    CLSID clsid = GUID_NULL;
    Require(SUCCEEDED(CLSIDFromProgID(kAddIn, &clsid)), "Kestrin.WEConnect is not registered");
    Require(SUCCEEDED(CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER, IID_IDTExtensibility2,
                                       reinterpret_cast<void**>(&m_addIn))),
            "Kestrin.WEConnect cannot be created");
    SAFEARRAY* custom = nullptr;
    Require(SUCCEEDED(m_addIn->OnConnection(Application(), ext_cm_Startup, nullptr, &custom)),
            "Kestrin.WEConnect does not connect");
    m_addIn->OnStartupComplete(&custom);
}

CComPtr<_Inspector> InProcessHost::FirstInspector() const
{
    CComPtr<_Inspectors> inspectors;
    CComPtr<_Inspector> inspector;
    Application()->get_Inspectors(&inspectors);
    LONG count = 0;
    if (inspectors && SUCCEEDED(inspectors->get_Count(&count)) && count > 0)
        inspectors->Item(CComVariant(1), &inspector);
    return inspector;
}

void InProcessHost::ShutDown()
{
    SAFEARRAY* custom = nullptr;
    if (m_addIn)
        m_addIn->OnBeginShutdown(&custom);
    m_explorer.Release();
    if (m_host)
        m_host->CloseWindows();
    if (m_addIn)
        m_addIn->OnDisconnection(ext_dm_HostShutdown, &custom);
    m_addIn.Release();
    m_windows.reset();
    m_host.reset();
    if (m_session) {
        HrDispatchNotifications(0);
        m_session->Logoff(0, 0, 0);
        m_sessionHeld = m_session.Detach()->Release() != 0;
    }
    if (m_com)
        CoUninitialize();
    if (m_mapi)
        MAPIUninitialize();
    m_com = m_mapi = false;
}
