#include "CZrReportDlg.h"

#include "ReportFile.h"

#include "errors/CZrException.h"
#include "lang/CWELanguages.h"
#include "lang/LocalizeDialog.h"
#include "sender/SendingDialogs.h"

#include "ui/FileDialog.h"
#include "ui/MessageLoop.h"
#include "ui/Window.h"
#include "win/Registry.h"

namespace {

constexpr std::uint32_t kTextClose = 111;
constexpr const char* kSettingsKey = "Software\\Velquin Ltd\\Solvenda";
constexpr const char* kAutoClose = "AutoClose";

bool ReadAutoClose()
{
    HKEY key = nullptr;
    if (RegOpenKeyEx(HKEY_CURRENT_USER, kSettingsKey, 0, KEY_READ, &key) != ERROR_SUCCESS)
        return false;
    DWORD type = 0;
    DWORD value = 0;
    DWORD size = sizeof value;
    const bool set = RegQueryValueEx(key, kAutoClose, nullptr, &type, reinterpret_cast<BYTE*>(&value), &size) ==
                         ERROR_SUCCESS &&
                     type == REG_DWORD && value == 1;
    RegCloseKey(key);
    return set;
}

}  // namespace

CZrReportDlg::CZrReportDlg() : CDialog(ReportDialogTemplate()) {}

CZrReportDlg::~CZrReportDlg()
{
    if (m_bShown && m_hWnd)
        DestroyWindow(m_hWnd);
    m_list.Detach();
    m_bar.Detach();
}

void CZrReportDlg::Show(const std::string& caption, const std::string& text, HWND parent)
{
    if (m_bShown)
        return;
    if (!caption.empty())
        m_strCaption = caption;
    if (!text.empty())
        m_strText = text;
    CWnd owner;
    owner.Attach(parent && IsWindow(parent) ? parent : GetForegroundWindow());
    Create(owner.m_hWnd ? &owner : nullptr);
    owner.Detach();
    if (!m_hWnd)
        return;
    ShowWindow(m_hWnd, SW_SHOW);
    UpdateWindow(m_hWnd);
    m_bShown = true;
}

BOOL CZrReportDlg::OnInitDialog()
{
    LocalizeDialog(*this, IDD_REPORT);
    m_list.Attach(GetDlgItem(IDC_REPORT_LIST));
    m_bar.Attach(GetDlgItem(2011));
    m_list.Init();
    if (!m_strCaption.empty())
        SetWindowText(m_hWnd, m_strCaption.c_str());
    if (!m_strText.empty())
        SetDlgItemText(m_hWnd, 2021, m_strText.c_str());
    CheckDlgButton(m_hWnd, IDC_REPORT_AUTOCLOSE, ReadAutoClose() ? BST_CHECKED : BST_UNCHECKED);
    return TRUE;
}

void CZrReportDlg::SetProgress(int count, int total)
{
    PumpMessages();
    if (m_nTotal == -1) {
        m_nTotal = total;
        if (m_bShown) {
            m_bar.SetRange32(0, total);
            m_bar.SetStep(1);
        }
    }
    if (m_bShown) {
        m_bar.SetPos(count);
        SetDlgItemText(m_hWnd, 203, std::to_string(static_cast<unsigned>(count)).c_str());
    }
    PumpMessages();
}

void CZrReportDlg::AddInfoLine(const std::string& text)
{
    if (m_bShown)
        m_list.AddLine(text.c_str(), CZrReportList::KindInfo);
    PumpMessages();
}

void CZrReportDlg::AddSentLine(const std::string& text)
{
    if (m_bShown)
        m_list.AddLine(text.c_str(), CZrReportList::KindSent);
    PumpMessages();
}

void CZrReportDlg::AddError(const CZrAdrMapEntry& entry, const CZrException& error)
{
    ++m_nErrors;
    const std::string recipient = entry.GetRecipientText();
    const std::string line = recipient.empty() ? error.Description() : recipient + ": " + error.Description();
    if (m_bShown)
        m_list.AddLine(line.c_str(), CZrReportList::KindError);
    PumpMessages();
}

void CZrReportDlg::AddErrorText(const CZrException& error)
{
    ++m_nErrors;
    if (m_bShown)
        m_list.AddLine(error.Description().c_str(), CZrReportList::KindError);
    PumpMessages();
}

int CZrReportDlg::WaitForClose()
{
    if (!m_bShown)
        return 0;
    if (m_nErrors > 0 || IsDlgButtonChecked(m_hWnd, IDC_REPORT_AUTOCLOSE) != BST_CHECKED) {
        SetDlgItemText(m_hWnd, IDCANCEL, Languages().LoadLangString(kTextClose).c_str());
        m_bWaiting = true;
        // A quit request ends the wait and stays for the host's own loop.
        RunMessageLoopUntil([this] { return m_bClosing; });
        m_bWaiting = false;
    }
    SaveAutoClose();
    EndDialog(IDCANCEL);
    DestroyWindow(m_hWnd);
    m_bShown = false;
    return IDCANCEL;
}

void CZrReportDlg::PumpMessages()
{
    if (m_bShown)
        PumpWaitingMessages();
}

void CZrReportDlg::UserCloses()
{
    m_bClosing = true;
    if (m_bShown) {
        PumpMessages();
        if (!m_bWaiting)
            m_bCancelled = true;
        PumpMessages();
    }
    SaveAutoClose();
}

void CZrReportDlg::SaveAutoClose()
{
    if (!m_hWnd)
        return;
    HKEY key = nullptr;
    if (RegCreateKeyEx(HKEY_CURRENT_USER, kSettingsKey, 0, nullptr, 0, KEY_READ | KEY_CREATE_SUB_KEY | KEY_SET_VALUE,
                       nullptr, &key, nullptr) != ERROR_SUCCESS)
        return;
    const DWORD value = IsDlgButtonChecked(m_hWnd, IDC_REPORT_AUTOCLOSE) == BST_CHECKED ? 1 : 0;
    RegSetValueEx(key, kAutoClose, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value), sizeof value);
    RegCloseKey(key);
}

void CZrReportDlg::OnCancel()
{
    UserCloses();
    // The window stays until the sending ends and WaitForClose takes it.
}

void CZrReportDlg::OnClose()
{
    UserCloses();
}

BOOL CZrReportDlg::OnCommand(int id, UINT code, HWND control)
{
    if (id == IDC_REPORT_SAVE && code == BN_CLICKED) {
        SaveReport();
        return TRUE;
    }
    return CDialog::OnCommand(id, code, control);
}

void CZrReportDlg::SaveReport()
{
    char path[1024] = {};
    OPENFILENAME request;
    request.hwndOwner = m_hWnd;
    request.lpstrFilter = "Text Files (.txt)\0*.txt\0Comma Separated Values (.csv)\0*.csv\0";
    request.lpstrFile = path;
    request.nMaxFile = sizeof path;
    request.Flags = OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT;
    request.lpstrDefExt = "txt";
    if (!GetSaveFileName(&request))
        return;
    // A file that cannot be written is skipped, as the user chose it.
    WriteReportFile(path, m_list.Lines(), ReportSeparatorFor(path));
}
