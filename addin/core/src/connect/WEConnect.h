#pragma once
// The add-in's connection object, which the mail client loads. OnConnection
// brings the add-in up in a fixed order, logging each stage; OnDisconnection
// takes it down. A start-up that stops part way records the stages it
// completed, and disconnecting or unloading tears down exactly those
// (without the shut-down lines of a complete start-up); the settings are
// written back only when they were loaded, so a failed load never
// overwrites the user's settings with defaults.
//
// One object per process, reached through g_pAddin.

#include "inspector/CWEInspectorHookList.h"
#include "log/CWELog.h"
#include "menu/CWEExplorerMenuList.h"
#include "page/IWEOptionsHost.h"
#include "project/CWEProjectProps.h"
#include "settings/CWESettings.h"
#include "settings/CWEWatchedFolder.h"

#include "AddInDesigner.h"
#include "IWEConnect.h"
#include "OutlookApplication.h"

#include "com/ComPtr.h"
#include "com/ConnectionPoint.h"
#include "com/DispatchImpl.h"
#include "com/ErrorInfo.h"
#include "com/UnknownImpl.h"
#include "mapi/IMAPISession.h"
#include "mapi/IMsgStore.h"

#include <vector>

class WEConnect : public pollenta::com::CUnknownImpl<WEConnect, pollenta::com::CDispatchImpl<WEConnect, IWEConnect>,
                                                     pollenta::com::CDispatchImpl<WEConnect, IDTExtensibility2>,
                                                     IWEOLMenuSink, ISupportErrorInfo>,
                  public IWEOptionsHost {
public:
    WEConnect();
    ~WEConnect() override;

    // Nothing is reached late-bound.
    static std::span<const pollenta::com::DispatchMember<WEConnect>> DispatchMembers() { return {}; }

    STDMETHODIMP OnConnection(IDispatch* application, ext_ConnectMode mode, IDispatch* addInInstance,
                              SAFEARRAY** custom) override;
    STDMETHODIMP OnDisconnection(ext_DisconnectMode mode, SAFEARRAY** custom) override;
    STDMETHODIMP OnAddInsUpdate(SAFEARRAY**) override { return S_OK; }
    STDMETHODIMP OnStartupComplete(SAFEARRAY**) override { return S_OK; }
    STDMETHODIMP OnBeginShutdown(SAFEARRAY**) override { return S_OK; }
    STDMETHODIMP OnClickButon(WEMenuItemType wemitType, LONG lMenuItemId) override;
    STDMETHODIMP InterfaceSupportsErrorInfo(REFIID iid) override;

    // ApplicationEvents OptionsPagesAdd: the add-in's page for the Options dialog.
    HRESULT OnOptionsPagesAdd(IDispatch* pages);
    HRESULT CreateNewMessage(LONG projectId);
    HRESULT CacheServiceFolderIds();
    HRESULT AddDefaultInboxFolder();
    // IWEOptionsHost: the options page changes the live settings while the
    // answer collection stands still.
    CWESettings& GetLiveSettings() override { return m_Settings; }
    IMAPISession* GetSession() override { return m_spSession; }
    bool HasActivationContext() override;
    bool PauseCollection(DWORD timeoutMs) override;
    // Without a session the list stays as it is.
    void RebuildWatchedFolders() override;
    void ResumeCollection() override;
    HRESULT AddWatchedFolder(const CWEWatchedFolder& record, std::vector<CWEWatchedFolder>& target);
    HRESULT CollectFolder(IMsgStore* store, const CWEWatchedFolder& record, std::vector<CWEWatchedFolder>& target);

    CComPtr<_Application> m_spApplication;
    CComPtr<IMAPISession> m_spSession;
    CWEExplorerMenuList m_ExplorerMenus;
    CWEInspectorHookList m_InspectorHooks;
    LONG m_lCurrentProjectId = 0;
    CWEProjectProps m_ProjectProps;
    CWESettings m_Settings;
    CWELog m_Log;
    std::vector<CWEWatchedFolder> m_arrWatchedFolders;
    std::vector<CZrEntryID> m_arrServiceFolderIds;
    BOOL m_bConnected = FALSE;

    // The stages of start-up that completed and are still up.
    enum Stage : DWORD {
        kSettingsLoaded = 0x1,
        kExplorerMenus = 0x2,
        kInspectorHooks = 0x4,
        kInboxProcessor = 0x8,
        kApplicationEvents = 0x10,
    };
    DWORD GetStages() const { return m_dwStages; }

private:
    void Connect(IDispatch* application);
    HRESULT AdviseApplicationEvents();
    // Takes down the stages that are up; `complete` logs each stage as the
    // shut-down of a complete start-up does.
    void ShutDown(bool complete, ext_DisconnectMode mode);

    DWORD m_dwStages = 0;
    CComPtr<IConnectionPoint> m_spEventsPoint;
    DWORD m_dwEventsCookie = 0;
};

// The add-in of this process; null when none exists.
extern WEConnect* g_pAddin;
