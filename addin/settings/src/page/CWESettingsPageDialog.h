#pragma once
// The add-in's page in the mail client's Options dialog: the watched
// folders, whether service folders are skipped, what happens to a processed
// answer, and the way to the log settings, the help and the About box. The
// page edits a copy of the live settings; only Apply puts it into effect,
// with the answer collection paused around the change. It never writes the
// registry: the add-in saves its settings when it disconnects.
//
//     CWESettingsPageDialog page(host);
//     page.Create(&optionsSheet);
//     page.SetStatusChangeSink([&] { sheet.UpdateApply(page.IsDirty()); });
//     ...
//     page.Apply();

#include "folders/CWEFolderEdit.h"
#include "page/IWEOptionsHost.h"
#include "theme/CWEThemeHolder.h"
#include "theme/CWEThemedControl.h"
#include "tree/CZrMAPITreeCtrl.h"

#include "ui/ComboBox.h"
#include "ui/Dialog.h"

#include <functional>
#include <vector>

class CWESettingsPageDialog : public CDialog {
public:
    static constexpr UINT kTemplateId = 118;
    static constexpr int IDC_FOLDERS = 202;
    static constexpr int IDC_ACTION = 203;
    static constexpr int IDC_DESTINATION = 204;
    static constexpr int IDC_CHOOSE_FOLDER = 205;
    static constexpr int IDC_IGNORE_SERVICE = 206;
    static constexpr int IDC_LOG_SETTINGS = 207;
    static constexpr int IDC_HELP = 208;
    static constexpr int IDC_ABOUT = 210;
    // How long Apply waits for the answer processor to pause.
    static constexpr DWORD kPauseTimeoutMs = 10000;

    explicit CWESettingsPageDialog(IWEOptionsHost* host, CWnd* parent = nullptr);

    // What the dialog's PropertyPageSite::OnStatusChange did: the host asks
    // IsDirty again.
    void SetStatusChangeSink(std::function<void()> sink) { m_statusChange = std::move(sink); }
    // The About box; the page has none of its own.
    void SetAboutHandler(std::function<void(HWND)> about) { m_about = std::move(about); }

    bool IsDirty() const { return m_nDirty != 0; }
    // S_OK; when the collection could not be paused in time a box says so,
    // the settings stay as they were, the page stays dirty and the answer
    // is E_FAIL.
    HRESULT Apply();

    const CWESettings& GetSettingsCopy() const { return m_Settings; }
    CZrMAPITreeCtrl& GetTree() { return m_Tree; }
    // Runs CollectSettings; answers the dirty value.
    LONG CollectSettings();
    void OnChooseFolder();
    void OnLogSettings();

    BOOL OnInitDialog() override;
    BOOL OnCommand(int id, UINT code, HWND control) override;
    BOOL OnEraseBkgnd(HDC dc) override;
    void OnDestroy() override;
    // What no handler above takes goes to the page's theme holder.
    LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    static const DialogTemplate& Template();
    void SetUpTheme();
    void ShowSectionIcons();
    void DrawControlsThemed();
    void CollectCheckedFolders(HTREEITEM parent);
    void EnableDestination();

    IWEOptionsHost* m_pHost;
    CWESettings m_Settings;
    CZrMAPITreeCtrl m_Tree;
    CComboBox m_Action;
    CWEFolderEdit m_FolderEdit;
    LONG m_nDirty = 0;
    CWEThemeHolder m_Theme{u"TAB"};
    std::vector<HICON> m_SectionIcons; // icons 211, 212 and 214 of a classic page, while it lives
    CWEThemedCheckBox m_ThemedCheck;
    CWEThemedButton m_ThemedButtons[4];
    CWEThemedStatic m_ThemedStatics[7];
    CWEThemedIcon m_ThemedIcons[3];
    std::function<void()> m_statusChange;
    std::function<void(HWND)> m_about;
};
