#include "logs/CWELogsSettings.h"

#include "logs/CWELogsDialog.h"
#include "resources/KestrinPictures.h"
#include "resources/SettingsTexts.h"

#include "controls/WEHelp.h"
#include "ui/DlgItemInt.h"
#include "ui/FileDialog.h"
#include "ui/Icon.h"
#include "ui/Window.h"

namespace {

constexpr UINT BIF_RETURNONLYFSDIRS = 0x0001;
constexpr UINT BIF_NEWDIALOGSTYLE = 0x0040;

} // namespace

const DialogTemplate& CWELogsSettings::Template()
{
    static const DialogTemplate dialog = [] {
        DialogTemplate d;
        d.style = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_CENTER;
        d.cx = 260;
        d.cy = 200;
        d.caption = "Log settings";
        d.fontName = "Tahoma";
        const DWORD check = WS_VISIBLE | WS_TABSTOP | BS_AUTOCHECKBOX;
        const DWORD button = WS_VISIBLE | WS_TABSTOP;
        d.items = {
            {"Static", "", IDC_ICON_SETTINGS, WS_VISIBLE | SS_ICON, 0, 7, 7, 22, 20},
            {"Static", "Settings", -1, WS_VISIBLE, 0, 32, 7, 100, 8},
            {"Button", "Keep logs", IDC_MAKE_JOURNAL, check, 0, 32, 20, 150, 10},
            {"Button", "Keep logs for several days:", IDC_AUTO_CLEAR, check, 0, 32, 34, 120, 10},
            {"Edit", "", IDC_KEEP_DAYS, WS_VISIBLE | WS_TABSTOP | WS_BORDER | ES_NUMBER, 0, 156, 32, 40, 13},
            {"Static", "Include into the log:", -1, 0, 0, 32, 50, 150, 8},
            {"Button", "errors report", IDC_ADD_ERRORS, WS_TABSTOP | BS_AUTOCHECKBOX, 0, 40, 60, 150, 10},
            {"Button", "survey result processing report", IDC_ADD_PROCESS, WS_TABSTOP | BS_AUTOCHECKBOX, 0, 40, 72, 150, 10},
            {"Button", "auxilliary (service) information", IDC_ADD_SERVICE, WS_TABSTOP | BS_AUTOCHECKBOX, 0, 40, 84, 150, 10},
            {"Static", "", IDC_ICON_FOLDER, WS_VISIBLE | SS_ICON, 0, 7, 56, 22, 20},
            {"Static", "Logs folder", -1, WS_VISIBLE, 0, 32, 56, 100, 8},
            {"Static", "Path to the folder on the disc the log files to be saved into:", -1, WS_VISIBLE, 0, 32, 68, 221, 8},
            {"Edit", "", IDC_LOG_FOLDER, WS_VISIBLE | WS_TABSTOP | WS_BORDER, 0, 32, 80, 152, 13},
            {"Button", "Browse...", IDC_BROWSE, button, 0, 189, 79, 64, 14},
            {"Static", "", IDC_ICON_VIEW, WS_VISIBLE | SS_ICON, 0, 7, 104, 22, 20},
            {"Static", "View / delete", -1, WS_VISIBLE, 0, 32, 104, 100, 8},
            {"Static", "Delete log / View log contents.", -1, WS_VISIBLE, 0, 32, 118, 160, 8},
            {"Button", "View / delete...", IDC_VIEW_LOGS, button, 0, 189, 115, 64, 14},
            {"Button", "OK", IDOK, button | BS_DEFPUSHBUTTON, 0, 86, 179, 53, 14},
            {"Button", "Cancel", IDCANCEL, button, 0, 143, 179, 53, 14},
            {"Button", "Help", IDHELP, button, 0, 200, 179, 53, 14},
        };
        return d;
    }();
    return dialog;
}

CWELogsSettings::CWELogsSettings(CWnd* parent) : CDialog(Template(), parent) {}

CWELogsSettings::~CWELogsSettings()
{
    if (m_hWnd)
        DestroyWindow(m_hWnd);
    for (HICON icon : m_GroupIcons)
        DestroyIcon(icon);
}

void CWELogsSettings::SetSettings(CWESettings* settings)
{
    m_pSettings = settings;
    if (!settings)
        return;
    m_nMakeJounral = settings->m_nMakeJounral;
    m_nAutoClear = settings->m_nAutoClear;
    m_nKeepDays = settings->m_nKeepDays;
    m_nAddJournErrors = settings->m_nAddJournErrors;
    m_nAddJournProcess = settings->m_nAddJournProcess;
    m_nAddJournService = settings->m_nAddJournService;
    m_strLogFolderPath = settings->m_strLogFolderPath;
}

std::span<const CWELogsSettings::CheckBinding> CWELogsSettings::Checks()
{
    static const CheckBinding checks[] = {
        {IDC_MAKE_JOURNAL, &CWELogsSettings::m_nMakeJounral},
        {IDC_AUTO_CLEAR, &CWELogsSettings::m_nAutoClear},
        {IDC_ADD_ERRORS, &CWELogsSettings::m_nAddJournErrors},
        {IDC_ADD_PROCESS, &CWELogsSettings::m_nAddJournProcess},
        {IDC_ADD_SERVICE, &CWELogsSettings::m_nAddJournService},
    };
    return checks;
}

BOOL CWELogsSettings::OnInitDialog()
{
    const std::pair<int, UINT> icons[] = {
        {IDC_ICON_SETTINGS, IDI_LOG_SETTINGS}, {IDC_ICON_FOLDER, IDI_LOG_FOLDER}, {IDC_ICON_VIEW, IDI_LOG_VIEW}};
    for (const auto& [control, id] : icons) {
        if (m_GroupIcons.size() < std::size(icons))
            m_GroupIcons.push_back(LoadKestrinIcon(id));
        SetStaticIcon(GetDlgItem(control), m_GroupIcons[static_cast<std::size_t>(control - IDC_ICON_SETTINGS)]);
    }
    for (const CheckBinding& check : Checks())
        CheckDlgButton(m_hWnd, check.id, this->*check.value ? BST_CHECKED : BST_UNCHECKED);
    SetDlgItemInt(m_hWnd, IDC_KEEP_DAYS, static_cast<UINT>(m_nKeepDays), FALSE);
    SetDlgItemText(m_hWnd, IDC_LOG_FOLDER, m_strLogFolderPath.c_str());
    ApplyEnabling();
    EnableWindow(GetDlgItem(IDOK), FALSE);
    m_bInitialized = true;
    return TRUE;
}

void CWELogsSettings::ApplyEnabling()
{
    BOOL keep = IsDlgButtonChecked(m_hWnd, IDC_MAKE_JOURNAL) == BST_CHECKED;
    for (int id : {IDC_AUTO_CLEAR, IDC_ADD_ERRORS, IDC_ADD_PROCESS, IDC_ADD_SERVICE, IDC_LOG_FOLDER, IDC_BROWSE})
        EnableWindow(GetDlgItem(id), keep);
    EnableWindow(GetDlgItem(IDC_KEEP_DAYS), keep && IsDlgButtonChecked(m_hWnd, IDC_AUTO_CLEAR) == BST_CHECKED);
}

bool CWELogsSettings::Update()
{
    for (const CheckBinding& check : Checks())
        this->*check.value = IsDlgButtonChecked(m_hWnd, check.id) == BST_CHECKED ? 1 : 0;
    m_strLogFolderPath = GetWindowTextString(GetDlgItem(IDC_LOG_FOLDER));
    ApplyEnabling();
    bool ready = !(m_nMakeJounral && m_strLogFolderPath.empty());
    // The days count only while they can be edited; a number that cannot
    // be taken keeps the last good one and OK waits for a good one.
    if (m_nMakeJounral && m_nAutoClear) {
        BOOL translated = FALSE;
        UINT days = GetDlgItemInt(m_hWnd, IDC_KEEP_DAYS, &translated, FALSE);
        if (translated && days >= static_cast<UINT>(kMinKeepDays) && days <= static_cast<UINT>(kMaxKeepDays))
            m_nKeepDays = static_cast<LONG>(days);
        else
            ready = false;
    }
    EnableWindow(GetDlgItem(IDOK), ready);
    return ready;
}

BOOL CWELogsSettings::OnCommand(int id, UINT code, HWND control)
{
    switch (id) {
    case IDC_MAKE_JOURNAL:
    case IDC_AUTO_CLEAR:
    case IDC_ADD_ERRORS:
    case IDC_ADD_PROCESS:
    case IDC_ADD_SERVICE:
        if (code == BN_CLICKED && m_bInitialized)
            Update();
        return TRUE;
    case IDC_KEEP_DAYS:
    case IDC_LOG_FOLDER:
        if (code == EN_CHANGE && m_bInitialized)
            Update();
        return TRUE;
    case IDC_BROWSE:
        if (code == BN_CLICKED)
            Browse();
        return TRUE;
    case IDC_VIEW_LOGS:
        if (code == BN_CLICKED)
            ViewLogs();
        return TRUE;
    case IDHELP:
        if (code == BN_CLICKED)
            ShowHelpTopic(m_hWnd, WE_HELP_TOPIC_ADDIN);
        return TRUE;
    default:
        return CDialog::OnCommand(id, code, control);
    }
}

void CWELogsSettings::OnOK()
{
    if (!Update())
        return;
    if (m_pSettings) {
        m_pSettings->m_nMakeJounral = m_nMakeJounral;
        m_pSettings->m_nAutoClear = m_nAutoClear;
        m_pSettings->m_nKeepDays = m_nKeepDays;
        m_pSettings->m_nAddJournErrors = m_nAddJournErrors;
        m_pSettings->m_nAddJournProcess = m_nAddJournProcess;
        m_pSettings->m_nAddJournService = m_nAddJournService;
        m_pSettings->m_strLogFolderPath = m_strLogFolderPath;
    }
    CDialog::OnOK();
}

void CWELogsSettings::Browse()
{
    std::string title = SettingsString(IDS_LOG_FOLDER_TITLE);
    std::string current = GetWindowTextString(GetDlgItem(IDC_LOG_FOLDER));
    BROWSEINFO request;
    request.hwndOwner = m_hWnd;
    request.lpszTitle = title.c_str();
    request.ulFlags = BIF_RETURNONLYFSDIRS | BIF_NEWDIALOGSTYLE;
    request.lpszSelection = current.c_str();
    PIDLIST_ABSOLUTE folder = SHBrowseForFolder(&request);
    if (!folder)
        return;
    char path[260] = {};
    if (SHGetPathFromIDList(folder, path))
        SetDlgItemText(m_hWnd, IDC_LOG_FOLDER, path);
    ILFree(folder);
}

void CWELogsSettings::ViewLogs()
{
    CWELogsDialog logs(this);
    logs.m_pSettings = m_pSettings;
    logs.DoModal();
}
