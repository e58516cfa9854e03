#include "connect/WEConnect.h"

#include "answers/AnswerCollection.h"

#include "module/ActivationScope.h"
#include "util/MapiNames.h"

#include "mapisession/GetSuperMapiSession.h"
#include "zr/FormatHResult.h"

#include "com/ComVariant.h"
#include "com/EventSink.h"

WEConnect* g_pAddin = nullptr;

namespace {

// The log's events of start-up and shut-down.
constexpr DWORD kLaunch = 0x200022B1;
constexpr DWORD kLaunchCompleted = 0x200022B2;
constexpr DWORD kShutdown = 0x200022B3;
constexpr DWORD kShutdownCompleted = 0x200022B4;
constexpr DWORD kNoApplication = 0xE00022B5;
constexpr DWORD kNoSession = 0xE00022D6;
constexpr DWORD kSettingsFailed = 0xE00022BC;
constexpr DWORD kDamagedRecord = 0xE00022D8;
constexpr DWORD kUnknownError = 0xE00022BA;
constexpr DWORD kEventsFailed = 0xE00022BB;
constexpr DWORD kMenusFailed = 0xE00022BE;
constexpr DWORD kDebugMessage = 0x600022CB;

}  // namespace

WEConnect::WEConnect()
{
    g_pAddin = this;
}

WEConnect::~WEConnect()
{
    // Unloaded without a complete shut-down: nothing of it may go on running.
    ShutDown(false, ext_dm_HostShutdown);
    if (g_pAddin == this)
        g_pAddin = nullptr;
}

bool WEConnect::HasActivationContext()
{
    return HasModuleActivationContext();
}

bool WEConnect::PauseCollection(DWORD timeoutMs)
{
    return SUCCEEDED(PauseAnswerCollection(timeoutMs));
}

void WEConnect::ResumeCollection()
{
    ResumeAnswerCollection(m_Settings, m_arrWatchedFolders, m_arrServiceFolderIds);
}

STDMETHODIMP WEConnect::InterfaceSupportsErrorInfo(REFIID iid)
{
    return iid == IID_IWEConnect ? S_OK : S_FALSE;
}

STDMETHODIMP WEConnect::OnConnection(IDispatch* application, ext_ConnectMode, IDispatch*, SAFEARRAY**)
{
    try {
        Connect(application);
    } catch (...) {
        m_Log.Write(kDebugMessage, {"OnConnection fatal error"});
    }
    return S_OK;
}

void WEConnect::Connect(IDispatch* application)
{
    m_Settings.LoadJournal();
    m_Log.SetSettings(&m_Settings);
    m_Log.DeleteOldLogs();
    m_Log.Write(kLaunch);
    CComQIPtr<_Application> clientApplication(application);
    if (!clientApplication) {
        m_Log.Write(kNoApplication);
        return;
    }
    m_spApplication = clientApplication;
    if (HRESULT hr = GetSuperMapiSession(m_spApplication, &m_spSession); FAILED(hr)) {
        m_Log.Write(kNoSession, {FormatHResult(hr)});
        return;
    }
    m_Settings.SetProfileName(GetProfileName(m_spSession));
    CacheServiceFolderIds();
    if (FAILED(m_Settings.LoadFolders())) {
        m_Log.Write(kSettingsFailed);
        return;
    }
    m_dwStages |= kSettingsLoaded;
    for (const CWESettings::DamagedRecord& record : m_Settings.GetDamagedRecords())
        m_Log.Write(kDamagedRecord, {record.name, m_Settings.GetProfileKey()});
    if (m_Settings.m_arrFolders.empty() && FAILED(AddDefaultInboxFolder())) {
        m_Log.Write(kUnknownError);
        return;
    }
    RebuildWatchedFolders();
    if (FAILED(m_ExplorerMenus.Create(m_spApplication, this))) {
        m_Log.Write(kMenusFailed);
        return;
    }
    m_dwStages |= kExplorerMenus;
    if (FAILED(m_InspectorHooks.Create(m_spApplication))) {
        m_Log.Write(kMenusFailed);
        return;
    }
    m_dwStages |= kInspectorHooks;
    // A processor that cannot start has logged why; the add-in goes on
    // without answer collection until it is started again.
    if (SUCCEEDED(StartAnswerCollection(m_Settings, m_arrWatchedFolders, m_arrServiceFolderIds, m_Log, m_spSession)))
        m_dwStages |= kInboxProcessor;
    if (FAILED(AdviseApplicationEvents())) {
        m_Log.Write(kEventsFailed);
        return;
    }
    m_bConnected = TRUE;
    SetOptionsHost(this);
    m_Log.Write(kLaunchCompleted);
}

HRESULT WEConnect::AdviseApplicationEvents()
{
    CComQIPtr<IConnectionPointContainer> container(m_spApplication.p);
    if (!container)
        return E_NOINTERFACE;
    CComPtr<IConnectionPoint> point;
    if (HRESULT hr = container->FindConnectionPoint(IID_ApplicationEvents, &point); FAILED(hr))
        return hr;
    CComPtr<IDispatch> sink;
    HRESULT hr = pollenta::com::CreateEventSink(
        IID_ApplicationEvents,
        [this](DISPID id, pollenta::com::DispatchCall& call) -> HRESULT {
            if (id != DISPID_ApplicationEvents_OptionsPagesAdd)
                return DISP_E_MEMBERNOTFOUND;
            CComVariant pages;
            if (HRESULT got = call.Arg(0, VT_DISPATCH, &pages); FAILED(got))
                return got;
            return OnOptionsPagesAdd(pages.pdispVal);
        },
        &sink);
    if (FAILED(hr))
        return hr;
    if (hr = point->Advise(sink, &m_dwEventsCookie); FAILED(hr))
        return hr;
    m_spEventsPoint = point;
    m_dwStages |= kApplicationEvents;
    return S_OK;
}

STDMETHODIMP WEConnect::OnDisconnection(ext_DisconnectMode mode, SAFEARRAY**)
{
    try {
        ShutDown(m_bConnected != FALSE, mode);
    } catch (...) {
        // The client must always hear S_OK; the log may be gone by now.
    }
    return S_OK;
}

void WEConnect::ShutDown(bool complete, ext_DisconnectMode mode)
{
    if (complete)
        m_Log.Write(kShutdown);
    if (GetOptionsHost() == this)
        SetOptionsHost(nullptr);
    if (m_dwStages & kApplicationEvents) {
        m_spEventsPoint->Unadvise(m_dwEventsCookie);
        m_spEventsPoint.Release();
        m_dwStages &= ~kApplicationEvents;
    }
    if (m_dwStages & kExplorerMenus)
        m_ExplorerMenus.Remove(mode);
    if (m_dwStages & kInspectorHooks)
        m_InspectorHooks.Remove(mode);
    m_dwStages &= ~(kExplorerMenus | kInspectorHooks);
    if (m_dwStages & kInboxProcessor) {
        StopAnswerCollection(complete);
        m_dwStages &= ~kInboxProcessor;
    }
    m_arrWatchedFolders.clear();
    if (m_dwStages & kSettingsLoaded) {
        m_Settings.Save();
        m_dwStages &= ~kSettingsLoaded;
    }
    m_spSession.Release();
    m_spApplication.Release();
    if (complete) {
        m_bConnected = FALSE;
        m_Log.Write(kShutdownCompleted);
    }
}
