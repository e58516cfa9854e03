// What the user asks of the add-in: its menu commands, its page in the
// client's Options dialog and a new survey message.

#include "connect/WEConnect.h"

#include "about/CWEAbout.h"
#include "logs/CWELogsDialog.h"
#include "module/ActivationScope.h"
#include "picker/CWEProjPickerDlg.h"
#include "resources/KestrinResources.h"
#include "survey/CWEMessageBuilder.h"
#include "util/ClientVersion.h"

#include "controls/WEHelp.h"

#include "OutlookPropertyPages.h"

#include "com/ComBstr.h"
#include "com/ComVariant.h"
#include "ui/MessageBox.h"
#include "ui/Window.h"
#include "win/Shell.h"

namespace {

constexpr DWORD kProjectPropsFailed = 0xE00022BD;
constexpr DWORD kDebugMessage = 0x600022CB;
constexpr DWORD kHelpContentsTopic = 1;

enum MenuCommand : LONG { kNewSurvey = 1, kHelp = 2, kHomePage = 3, kAbout = 5, kLogViewer = 6 };

}  // namespace

STDMETHODIMP WEConnect::OnClickButon(WEMenuItemType wemitType, LONG lMenuItemId)
{
    if (wemitType != wemitStatic)
        return S_OK;
    try {
        switch (lMenuItemId) {
        case kHelp: {
            CActivationScope scope;
            ShowHelpTopic(GetForegroundWindow(), kHelpContentsTopic);
            break;
        }
        case kHomePage:
            ShellExecute(nullptr, "open", KestrinString(IDS_HOME_PAGE).c_str(), nullptr, nullptr, SW_SHOW);
            break;
        case kNewSurvey: {
            LONG picked = 0;
            {
                CActivationScope scope;
                CWEProjPickerDlg picker(m_Log);
                if (picker.DoModal() == IDOK)
                    picked = picker.GetPickedProjectId();
            }
            if (picked)
                CreateNewMessage(picked);
            break;
        }
        case kAbout: {
            CActivationScope scope;
            CWEAbout about;
            about.DoModal();
            break;
        }
        case kLogViewer: {
            CActivationScope scope;
            CWELogsDialog logs;
            logs.m_pSettings = &m_Settings;
            logs.DoModal();
            break;
        }
        default:
            break;
        }
    } catch (...) {
        m_Log.Write(kDebugMessage, {"OnClickButon"});
    }
    return S_OK;
}

HRESULT WEConnect::OnOptionsPagesAdd(IDispatch* pages)
{
    CComQIPtr<PropertyPages> propertyPages(pages);
    if (!propertyPages)
        return S_OK;
    CComVariant page("Kestrin.WESettingsPage");
    if (HRESULT hr = propertyPages->Add(page, CComBSTR(KestrinString(IDS_PRODUCT_CAPTION).c_str())); FAILED(hr))
        m_Log.LogComError("spPages->Add", hr, propertyPages, IID_PropertyPages);
    return S_OK;
}

namespace {

// The pending project id belongs to the one inspector that the builder opens
// while the command runs; left behind, it would make the next mail the user
// opens a survey message, which closing deletes.
class CPendingProject {
public:
    CPendingProject(LONG& pending, LONG projectId) : m_pending(pending) { m_pending = projectId; }
    ~CPendingProject() { m_pending = 0; }
    CPendingProject(const CPendingProject&) = delete;
    CPendingProject& operator=(const CPendingProject&) = delete;

private:
    LONG& m_pending;
};

}  // namespace

HRESULT WEConnect::CreateNewMessage(LONG projectId)
{
    CPendingProject pending(m_lCurrentProjectId, projectId);
    try {
        if (!m_ProjectProps.Load(projectId, m_Log)) {
            m_Log.Write(kProjectPropsFailed);
            return E_FAIL;
        }
        WordMailEditor editor;
        IsWordMailEditor(m_spApplication, editor);
        if (editor.isWord) {
            CActivationScope scope;
            MessageBox(GetForegroundWindow(), KestrinString(IDS_NO_WORD_EDITOR).c_str(),
                       KestrinString(IDS_PRODUCT_CAPTION).c_str(), MB_ICONERROR);
            return S_OK;
        }
        CWEMessageBuilder builder(m_spApplication, m_Log);
        if (FAILED(builder.CreateSurveyMessage(projectId, m_ProjectProps))) {
            CActivationScope scope;
            MessageBox(GetForegroundWindow(), builder.GetErrorText().c_str(),
                       KestrinString(IDS_PRODUCT_CAPTION).c_str(), MB_ICONERROR);
        }
    } catch (...) {
        m_Log.Write(kDebugMessage, {"Pollenta Fatal Error on CreateNewMessage"});
    }
    return S_OK;
}
