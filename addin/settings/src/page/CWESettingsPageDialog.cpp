#include "page/CWESettingsPageDialog.h"

#include "folders/CWEPickFolder.h"
#include "logs/CWELogsSettings.h"
#include "resources/KestrinPictures.h"
#include "resources/SettingsTexts.h"
#include "theme/IsThemeLibraryAvailable.h"

#include "resources/KestrinResources.h"

#include "controls/WEHelp.h"

#include "ui/MessageBox.h"

namespace {

constexpr int IDC_ICON_FOLDERS = 228;
constexpr int IDC_ICON_PROCESSING = 229;
constexpr int IDC_ICON_LOGS = 230;
constexpr int kFirstStatic = 231;
constexpr int kLastStatic = 237;
constexpr LONG kActionMove = 1;
constexpr LONG kLastAction = 4;

// The controls that draw classic when the add-in has no visual styles.
constexpr int kStyledControls[] = {
    CWESettingsPageDialog::IDC_IGNORE_SERVICE, CWESettingsPageDialog::IDC_CHOOSE_FOLDER, CWESettingsPageDialog::IDC_LOG_SETTINGS,
    CWESettingsPageDialog::IDC_HELP, CWESettingsPageDialog::IDC_ABOUT, IDC_ICON_FOLDERS, IDC_ICON_PROCESSING, IDC_ICON_LOGS,
    CWESettingsPageDialog::IDC_FOLDERS, CWESettingsPageDialog::IDC_DESTINATION, CWESettingsPageDialog::IDC_ACTION,
};

} // namespace

const DialogTemplate& CWESettingsPageDialog::Template()
{
    static const DialogTemplate dialog = [] {
        DialogTemplate d;
        d.style = WS_CHILD | DS_SETFONT;
        d.cx = 273;
        d.cy = 224;
        d.fontName = "Tahoma";
        const DWORD text = WS_VISIBLE;
        const DWORD icon = WS_VISIBLE | SS_ICON;
        const DWORD line = WS_VISIBLE | SS_ETCHEDHORZ;
        const DWORD button = WS_VISIBLE | WS_TABSTOP;
        // The first two texts of a section may take two lines, which the
        // longer ones need at the dialog font.
        d.items = {
            {"Static", "The list of folders to be monitored", 231, text, 0, 7, 4, 140, 8},
            {"Static", "", -1, line, 0, 150, 8, 116, 1},
            {"Static", "", IDC_ICON_FOLDERS, icon, 0, 7, 16, 22, 20},
            {"Static", "Select the folders to be monitored for messages with survey results:", 232, text, 0, 32, 16, 234, 17},
            {"SysTreeView32", "", IDC_FOLDERS,
             WS_VISIBLE | WS_TABSTOP | WS_BORDER | TVS_HASLINES | TVS_HASBUTTONS | TVS_CHECKBOXES, 0, 32, 34, 234, 76},
            {"Button", "Don't process new messages in service folders", IDC_IGNORE_SERVICE,
             button | BS_AUTOCHECKBOX, 0, 32, 113, 234, 10},
            {"Static", "Processing of messages with survey results", 233, text, 0, 7, 128, 172, 8},
            {"Static", "", -1, line, 0, 182, 132, 84, 1},
            {"Static", "", IDC_ICON_PROCESSING, icon, 0, 7, 140, 22, 20},
            {"Static", "After the message with survey results is processed, it is to be:", 234, text, 0, 32, 140, 234, 17},
            {"ComboBox", "", IDC_ACTION, button | CBS_DROPDOWNLIST, 0, 32, 158, 106, 13},
            {"Static", "Folder:", 235, text, 0, 142, 160, 29, 8},
            {"Edit", "", IDC_DESTINATION, button | WS_BORDER | ES_READONLY, 0, 172, 158, 76, 13},
            {"Button", "...", IDC_CHOOSE_FOLDER, button, 0, 250, 158, 16, 13},
            {"Static", "Logs", 236, text, 0, 7, 177, 40, 8},
            {"Static", "", -1, line, 0, 50, 181, 216, 1},
            {"Static", "", IDC_ICON_LOGS, icon, 0, 7, 189, 22, 20},
            {"Static", "Log settings.", 237, text, 0, 32, 192, 150, 8},
            {"Button", "Settings...", IDC_LOG_SETTINGS, button, 0, 212, 189, 54, 14},
            {"Button", "Help", IDC_HELP, button, 0, 156, 206, 54, 14},
            {"Button", "About...", IDC_ABOUT, button, 0, 212, 206, 54, 14},
        };
        return d;
    }();
    return dialog;
}

CWESettingsPageDialog::CWESettingsPageDialog(IWEOptionsHost* host, CWnd* parent) : CDialog(Template(), parent), m_pHost(host) {}

void CWESettingsPageDialog::SetUpTheme()
{
    if (m_pHost && m_pHost->HasActivationContext()) {
        m_Theme.Open(m_hWnd);
        if (m_Theme.GetTheme() && IsThemeLibraryAvailable()) {
            EnableThemeDialogTexture(m_hWnd, ETDT_ENABLETAB);
            DrawControlsThemed();
        }
        return;
    }
    if (!IsThemeLibraryAvailable())
        return;
    // Without visual styles of its own the page looks like the dialogs of
    // the client around it: classic.
    for (int id : kStyledControls)
        SetWindowTheme(GetDlgItem(id), u" ", u" ");
    for (int id = kFirstStatic; id <= kLastStatic; ++id)
        SetWindowTheme(GetDlgItem(id), u" ", u" ");
}

// The page's own controls draw themselves with the theme, over the tab
// background the page paints.
void CWESettingsPageDialog::DrawControlsThemed()
{
    m_ThemedCheck.Subclass(IDC_IGNORE_SERVICE, this);
    const int buttons[] = {IDC_CHOOSE_FOLDER, IDC_LOG_SETTINGS, IDC_HELP, IDC_ABOUT};
    for (std::size_t i = 0; i < std::size(buttons); ++i)
        m_ThemedButtons[i].Subclass(buttons[i], this);
    for (int id = kFirstStatic; id <= kLastStatic; ++id)
        m_ThemedStatics[static_cast<std::size_t>(id - kFirstStatic)].Subclass(id, this);
    const std::pair<int, UINT> icons[] = {
        {IDC_ICON_FOLDERS, IDI_FOLDERS}, {IDC_ICON_PROCESSING, IDI_PROCESSING}, {IDC_ICON_LOGS, IDI_LOGS}};
    for (std::size_t i = 0; i < std::size(icons); ++i)
        if (m_ThemedIcons[i].Subclass(icons[i].first, this))
            m_ThemedIcons[i].SetIcon(LoadKestrinIcon(icons[i].second));
}

// Icons that no themed icon control holds are shown as the template's.
void CWESettingsPageDialog::ShowSectionIcons()
{
    const std::pair<int, UINT> icons[] = {
        {IDC_ICON_FOLDERS, IDI_FOLDERS}, {IDC_ICON_PROCESSING, IDI_PROCESSING}, {IDC_ICON_LOGS, IDI_LOGS}};
    for (const auto& [control, id] : icons) {
        if (GetStaticIcon(GetDlgItem(control)))
            continue;
        HICON icon = LoadKestrinIcon(id);
        m_SectionIcons.push_back(icon);
        SetStaticIcon(GetDlgItem(control), icon);
    }
}

BOOL CWESettingsPageDialog::OnInitDialog()
{
    SetUpTheme();
    ShowSectionIcons();
    if (m_pHost)
        m_Settings = m_pHost->GetLiveSettings();
    m_Action.SubclassDlgItem(IDC_ACTION, this);
    for (UINT text : {IDS_ACTION_LEAVE, IDS_ACTION_MOVE, IDS_ACTION_FLAG, IDS_ACTION_EXPIRE, IDS_ACTION_DELETE})
        m_Action.InsertString(-1, SettingsString(text).c_str());
    m_Tree.SubclassDlgItem(IDC_FOLDERS, this);
    m_Tree.SetCheckChangedSink([this] { CollectSettings(); });
    IMAPISession* session = m_pHost ? m_pHost->GetSession() : nullptr;
    if (session && SUCCEEDED(m_Tree.Initialize(session, CZrMAPITreeCtrl::kDefaultTypeMask,
                                               CZrMAPITreeCtrl::kSkipPublicStores)))
        for (const CWEWatchedFolder& folder : m_Settings.m_arrFolders)
            m_Tree.SetFolderChState(folder.m_StoreId, folder.m_FolderId, folder.m_dwFlags);
    CheckDlgButton(m_hWnd, IDC_IGNORE_SERVICE, m_Settings.m_nIgnoreServFolders ? BST_CHECKED : BST_UNCHECKED);
    LONG action = m_Settings.m_nMessageAction;
    m_Action.SetCurSel(action >= kActionMove && action <= kLastAction ? action : 0);
    EnableDestination();
    m_FolderEdit.SubclassDlgItem(IDC_DESTINATION, this);
    m_FolderEdit.Attach();
    m_FolderEdit.SetFolder(m_Settings.m_DstFolder, session);
    m_nDirty = 0;
    return TRUE;
}

void CWESettingsPageDialog::EnableDestination()
{
    BOOL move = m_Action.GetCurSel() == kActionMove;
    EnableWindow(GetDlgItem(IDC_DESTINATION), move);
    EnableWindow(GetDlgItem(IDC_CHOOSE_FOLDER), move);
}

LONG CWESettingsPageDialog::CollectSettings()
{
    m_Settings.m_arrFolders.clear();
    CollectCheckedFolders(TVI_ROOT);
    m_Settings.m_nIgnoreServFolders = IsDlgButtonChecked(m_hWnd, IDC_IGNORE_SERVICE) == BST_CHECKED ? 1 : 0;
    int action = m_Action.GetCurSel();
    m_Settings.m_nMessageAction = action >= kActionMove && action <= kLastAction ? action : 0;
    EnableDestination();
    m_nDirty = static_cast<LONG>(m_Settings.m_arrFolders.size());
    if (m_Settings.m_nMessageAction == kActionMove && m_Settings.m_DstFolder.m_FolderId.IsEmpty())
        m_nDirty = 0;
    if (m_statusChange)
        m_statusChange();
    return m_nDirty;
}

void CWESettingsPageDialog::CollectCheckedFolders(HTREEITEM parent)
{
    for (HTREEITEM item = m_Tree.GetChildItem(parent); item; item = m_Tree.GetNextSiblingItem(item)) {
        const CZrFolderItem* data = m_Tree.GetFolderItem(item);
        if (!data)
            continue;
        DWORD bits = 0;
        if (FAILED(m_Tree.GetFolderChState(data->m_StoreId, data->m_FolderId, &bits, nullptr)))
            continue;
        if (bits & CWEWatchedFolder::kWatchFolder) {
            CWEWatchedFolder folder;
            folder.m_StoreId = data->m_StoreId;
            folder.m_FolderId = data->m_FolderId;
            folder.m_dwFlags = bits;
            folder.m_strName = data->m_strName;
            m_Settings.m_arrFolders.push_back(std::move(folder));
        }
        if (!(bits & CWEWatchedFolder::kWatchSubfolders))
            CollectCheckedFolders(item);
    }
}

BOOL CWESettingsPageDialog::OnCommand(int id, UINT code, HWND control)
{
    if (id == IDC_ACTION) {
        if (code == CBN_SELCHANGE)
            CollectSettings();
        return TRUE;
    }
    if (code != BN_CLICKED)
        return FALSE;
    switch (id) {
    case IDC_CHOOSE_FOLDER:
        OnChooseFolder();
        return TRUE;
    case IDC_IGNORE_SERVICE:
        CollectSettings();
        return TRUE;
    case IDC_LOG_SETTINGS:
        OnLogSettings();
        return TRUE;
    case IDC_HELP:
        ShowHelpTopic(m_hWnd, WE_HELP_TOPIC_ADDIN);
        return TRUE;
    case IDC_ABOUT:
        if (m_about)
            m_about(m_hWnd);
        return TRUE;
    default:
        return CDialog::OnCommand(id, code, control);
    }
}

void CWESettingsPageDialog::OnChooseFolder()
{
    IMAPISession* session = m_pHost ? m_pHost->GetSession() : nullptr;
    CWEPickFolder picker(this, session);
    picker.m_Folder = m_Settings.m_DstFolder;
    if (picker.DoModal() == IDOK) {
        m_Settings.m_DstFolder = picker.m_Folder;
        m_FolderEdit.SetFolder(m_Settings.m_DstFolder, session);
    }
    CollectSettings();
}

void CWESettingsPageDialog::OnLogSettings()
{
    CWELogsSettings dialog(this);
    dialog.SetSettings(&m_Settings);
    if (dialog.DoModal() == IDOK)
        CollectSettings();
}

BOOL CWESettingsPageDialog::OnEraseBkgnd(HDC dc)
{
    HTHEME theme = m_Theme.GetTheme();
    if (!theme)
        return CDialog::OnEraseBkgnd(dc);
    RECT client{};
    GetClientRect(m_hWnd, &client);
    DrawThemeBackground(theme, dc, TABP_BODY, 0, &client, nullptr);
    return TRUE;
}

HRESULT CWESettingsPageDialog::Apply()
{
    if (!m_pHost)
        return S_OK;
    // A processor busy beyond the timeout keeps the old settings: the page
    // stays dirty, and the failure keeps OK from closing the Options dialog
    // over changes that were never applied.
    if (!m_pHost->PauseCollection(kPauseTimeoutMs)) {
        MessageBox(m_hWnd, SettingsString(IDS_APPLY_BUSY).c_str(), KestrinString(IDS_PRODUCT_CAPTION).c_str(),
                   MB_ICONWARNING);
        return E_FAIL;
    }
    m_pHost->GetLiveSettings() = m_Settings;
    m_pHost->GetLiveSettings().ForgetDamagedRecords();
    m_pHost->RebuildWatchedFolders();
    m_pHost->ResumeCollection();
    m_nDirty = 0;
    return S_OK;
}

LRESULT CWESettingsPageDialog::OnMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    m_Theme.OnMessage(message);
    return CDialog::OnMessage(message, wParam, lParam);
}

void CWESettingsPageDialog::OnDestroy()
{
    m_Theme.Close();
    for (int control : {IDC_ICON_FOLDERS, IDC_ICON_PROCESSING, IDC_ICON_LOGS})
        SetStaticIcon(GetDlgItem(control), nullptr);
    for (HICON icon : m_SectionIcons)
        DestroyIcon(icon);
    m_SectionIcons.clear();
}
