#pragma once
// "Log settings": edits working copies of the log settings and copies them
// into the settings object only on OK. OK stays disabled while the copies
// could not be taken: logs kept without a folder, or a number of days
// outside 1 to 3650 (an empty or unreadable entry included), so that no
// entry can make the next start delete every log.
//
//     CWELogsSettings dialog(parent);
//     dialog.SetSettings(&pageCopy);
//     if (dialog.DoModal() == IDOK) ...

#include "settings/CWESettings.h"

#include "ui/Dialog.h"
#include "ui/Icon.h"

#include <span>
#include <vector>

class CWELogsSettings : public CDialog {
public:
    static constexpr UINT kTemplateId = 216;
    static constexpr int IDC_AUTO_CLEAR = 215;
    static constexpr int IDC_KEEP_DAYS = 216;
    static constexpr int IDC_VIEW_LOGS = 217;
    static constexpr int IDC_ADD_ERRORS = 218;
    static constexpr int IDC_ADD_PROCESS = 219;
    static constexpr int IDC_ADD_SERVICE = 220;
    static constexpr int IDC_MAKE_JOURNAL = 221;
    static constexpr int IDC_LOG_FOLDER = 222;
    static constexpr int IDC_BROWSE = 223;
    static constexpr int IDC_ICON_SETTINGS = 224;
    static constexpr int IDC_ICON_FOLDER = 225;
    static constexpr int IDC_ICON_VIEW = 226;
    static constexpr LONG kMinKeepDays = 1;
    static constexpr LONG kMaxKeepDays = 3650;

    explicit CWELogsSettings(CWnd* parent = nullptr);
    ~CWELogsSettings() override;

    void SetSettings(CWESettings* settings);

    BOOL OnInitDialog() override;
    BOOL OnCommand(int id, UINT code, HWND control) override;
    void OnOK() override;

private:
    struct CheckBinding {
        int id;
        LONG CWELogsSettings::*value;
    };
    static const DialogTemplate& Template();
    static std::span<const CheckBinding> Checks();
    // Reads the controls into the working copies; false when OK must wait.
    bool Update();
    void ApplyEnabling();
    void Browse();
    void ViewLogs();

    std::vector<HICON> m_GroupIcons; // icons 215, 216 and 217, while the dialog lives
    LONG m_nMakeJounral = 1;
    LONG m_nAutoClear = 1;
    LONG m_nKeepDays = 15;
    LONG m_nAddJournErrors = 1;
    LONG m_nAddJournProcess = 1;
    LONG m_nAddJournService = 0;
    std::string m_strLogFolderPath;
    CWESettings* m_pSettings = nullptr;
    bool m_bInitialized = false;
};
