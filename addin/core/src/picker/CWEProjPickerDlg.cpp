#include "picker/CWEProjPickerDlg.h"

#include "module/ActivationScope.h"
#include "resources/KestrinResources.h"
#include "settings/RegistryKey.h"

#include "zr/LoadMessageText.h"

#include "controls/WEHelp.h"

#include "IHubberly.h"

#include "com/Activation.h"
#include "com/ComBstr.h"
#include "com/ComPtr.h"
#include "ui/DialogTemplate.h"
#include "ui/MessageBox.h"
#include "ui/Styles.h"
#include "ui/Window.h"
#include "win/File.h"
#include "win/Shell.h"

#include <cstring>

namespace {

constexpr DWORD kHelpContentsTopic = 1;
constexpr DWORD kCreateFailed = 0xE00022C5;
constexpr DWORD kDeleteFailed = 0xE00022D1;
constexpr DWORD kNoFolder = 0xE00022D2;
constexpr DWORD kPageMissing = 0xE00022CE;
constexpr const char* kPlacementValue = "DialogPlacement";
constexpr int kButtons[] = {IDOK, CWEProjPickerDlg::IDC_VIEW, CWEProjPickerDlg::IDC_DELETE, IDCANCEL,
                            CWEProjPickerDlg::IDC_HELP};

DialogTemplate PickerTemplate()
{
    DialogTemplate dialog;
    dialog.style = DS_MODALFRAME | DS_SETFONT | WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME;
    dialog.cx = 237;
    dialog.cy = 170;
    dialog.caption = "Choose the survey project...";
    constexpr DWORD kVisible = WS_VISIBLE | WS_TABSTOP;
    dialog.items = {
        {"Static", "Available projects:", -1, WS_VISIBLE | SS_LEFT, 0, 7, 7, 157, 8},
        {"SysListView32", "", CWEProjPickerDlg::IDC_PROJECTS,
         kVisible | WS_BORDER | LVS_REPORT | LVS_SINGLESEL | LVS_SHOWSELALWAYS | LVS_NOCOLUMNHEADER, 0, 7, 17, 163,
         146},
        {"Static", "", CWEProjPickerDlg::IDC_EMPTY, SS_CENTER, 0, 12, 27, 153, 40},
        {"Button", "OK", IDOK, kVisible | BS_DEFPUSHBUTTON, 0, 180, 17, 50, 14},
        {"Button", "View", CWEProjPickerDlg::IDC_VIEW, kVisible, 0, 180, 37, 50, 14},
        {"Button", "Delete", CWEProjPickerDlg::IDC_DELETE, kVisible, 0, 180, 57, 50, 14},
        {"Button", "Cancel", IDCANCEL, kVisible, 0, 180, 77, 50, 14},
        {"Button", "Help", CWEProjPickerDlg::IDC_HELP, kVisible, 0, 180, 97, 50, 14},
    };
    return dialog;
}

UINT RegisteredTemplate()
{
    RegisterDialogTemplate(AfxGetResourceHandle(), CWEProjPickerDlg::IDD, PickerTemplate());
    return CWEProjPickerDlg::IDD;
}

CComPtr<IHubberly> CreateHubberly()
{
    CLSID clsid{};
    CComPtr<IHubberly> hubberly;
    if (SUCCEEDED(CLSIDFromProgID(kHubberlyProgIDW, &clsid)))
        CoCreateInstance(clsid, nullptr, CLSCTX_ALL, IID_IHubberly, reinterpret_cast<void**>(&hubberly));
    return hubberly;
}

}  // namespace

CWEProjPickerDlg::CWEProjPickerDlg(CWELog& log, CWnd* parent)
    : CWEAnchorDialog(RegisteredTemplate(), parent), m_log(log)
{}

BOOL CWEProjPickerDlg::OnInitDialog()
{
    CWEAnchorDialog::OnInitDialog();
    m_List.SubclassDlgItem(IDC_PROJECTS, this);
    m_List.Init(m_log);
    SetDlgItemText(m_hWnd, IDC_EMPTY, KestrinString(IDS_NO_PROJECTS).c_str());
    // The empty list's text stands where the list's first row would.
    ShowWindow(GetDlgItem(IDC_EMPTY), m_List.GetItemCount() ? SW_HIDE : SW_SHOW);
    AnchorControl(GetDlgItem(IDC_PROJECTS), 0, 0, 100, 100);
    AnchorControl(GetDlgItem(IDC_EMPTY), 0, 0, 100, -1);
    for (int id : kButtons)
        AnchorControl(GetDlgItem(id), 100, 0, -1, -1);
    RestorePlacement();
    UpdateButtons();
    return TRUE;
}

void CWEProjPickerDlg::UpdateButtons()
{
    const BOOL selected = m_List.GetSelectedCount() > 0;
    for (int id : {IDOK, IDC_VIEW, IDC_DELETE})
        EnableWindow(GetDlgItem(id), selected);
}

void CWEProjPickerDlg::RestorePlacement()
{
    RegistryKey key;
    std::vector<BYTE> bytes;
    if (key.Open(HKEY_CURRENT_USER, kPlacementKey, KEY_READ) != ERROR_SUCCESS ||
        key.ReadBinary(kPlacementValue, bytes) != ERROR_SUCCESS || bytes.size() != 4 * sizeof(int32_t))
        return;
    int32_t rect[4];
    std::memcpy(rect, bytes.data(), sizeof rect);
    if (rect[2] <= rect[0] || rect[3] <= rect[1])
        return;
    SetWindowPos(m_hWnd, nullptr, rect[0], rect[1], rect[2] - rect[0], rect[3] - rect[1],
                 SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOOWNERZORDER);
}

void CWEProjPickerDlg::SavePlacement()
{
    RECT window{};
    if (!GetWindowRect(m_hWnd, &window))
        return;
    const int32_t rect[4] = {static_cast<int32_t>(window.left), static_cast<int32_t>(window.top),
                             static_cast<int32_t>(window.right), static_cast<int32_t>(window.bottom)};
    std::vector<BYTE> bytes(sizeof rect);
    std::memcpy(bytes.data(), rect, sizeof rect);
    RegistryKey key;
    if (key.Create(HKEY_CURRENT_USER, kPlacementKey, KEY_READ | KEY_WRITE) == ERROR_SUCCESS)
        key.WriteBinary(kPlacementValue, bytes);
}

LONG CWEProjPickerDlg::SelectedId() const
{
    return m_List.GetProjectId(m_List.GetSelectedRow());
}

void CWEProjPickerDlg::OnOK()
{
    if (m_List.GetSelectedRow() >= 0)
        m_lPickedId = SelectedId();
    SavePlacement();
    CWEAnchorDialog::OnOK();
}

void CWEProjPickerDlg::OnCancel()
{
    SavePlacement();
    CWEAnchorDialog::OnCancel();
}

BOOL CWEProjPickerDlg::OnCommand(int id, UINT code, HWND control)
{
    switch (id) {
    case IDC_HELP: {
        CActivationScope scope;
        ShowHelpTopic(m_hWnd, kHelpContentsTopic);
        return TRUE;
    }
    case IDC_VIEW:
        ViewProject();
        return TRUE;
    case IDC_DELETE:
        DeleteProject();
        return TRUE;
    default:
        return CWEAnchorDialog::OnCommand(id, code, control);
    }
}

LRESULT CWEProjPickerDlg::OnNotify(const NMHDR* header)
{
    if (header->idFrom != IDC_PROJECTS)
        return 0;
    if (header->code == LVN_ITEMCHANGED)
        UpdateButtons();
    else if (header->code == NM_DBLCLK && m_List.GetSelectedRow() >= 0)
        OnOK();
    return 0;
}

void CWEProjPickerDlg::ShowError(const std::string& text, UINT type) const
{
    MessageBox(GetForegroundWindow(), text.c_str(), KestrinString(IDS_PRODUCT_CAPTION).c_str(), type);
}

void CWEProjPickerDlg::ViewProject()
{
    CActivationScope scope;
    const LONG id = SelectedId();
    if (id < 1)
        return;
    CComPtr<IHubberly> hubberly = CreateHubberly();
    if (!hubberly)
        return ShowError(LoadMessageText(kCreateFailed, {"Gastrel.Hubberly"}), MB_ICONERROR);
    CComBSTR folder;
    if (FAILED(hubberly->GetProjectDir(id, &folder)) || folder.Length() == 0)
        return ShowError(LoadMessageText(kNoFolder), MB_ICONERROR);
    const std::string page = folder.ToString() + "/index.html";
    if (GetFileAttributes(page.c_str()) == INVALID_FILE_ATTRIBUTES)
        return ShowError(LoadMessageText(kPageMissing, {page}), MB_ICONERROR);
    ShellExecute(nullptr, "open", page.c_str(), nullptr, nullptr, SW_SHOW);
}

void CWEProjPickerDlg::DeleteProject()
{
    CActivationScope scope;
    const int row = m_List.GetSelectedRow();
    const LONG id = m_List.GetProjectId(row);
    if (id < 1)
        return;
    if (MessageBox(GetForegroundWindow(), KestrinString(IDS_DELETE_PROJECT).c_str(),
                   KestrinString(IDS_PRODUCT_CAPTION).c_str(), MB_ICONQUESTION | MB_YESNO) != IDYES)
        return;
    CComPtr<IHubberly> hubberly = CreateHubberly();
    if (!hubberly)
        return ShowError(LoadMessageText(kCreateFailed, {"Gastrel.Hubberly"}), MB_ICONERROR);
    if (FAILED(hubberly->DeleteProject(id)))
        return ShowError(LoadMessageText(kDeleteFailed), MB_ICONERROR);
    m_List.DeleteItem(row);
    ShowWindow(GetDlgItem(IDC_EMPTY), m_List.GetItemCount() ? SW_HIDE : SW_SHOW);
    UpdateButtons();
}
