#include "wizardui/WESQLEditDlg.h"

#include "controls/WEHelp.h"
#include "ui/MessageBox.h"
#include "wizardui/WEWizardIds.h"

#include <cstring>

namespace {

constexpr int kOffset = 25; // pixels right and down from where it would open

const char kAskSave[] = "Do you want to save the changes to the SQL-request for table creation?";
const char kAskRestore[] = "Warning!\n\nReturn to the initial version of the SQL-request will result in loss of all "
                           "your changes.\nContinue?";

// The dialog's own font with a fixed-pitch face, so that the request's
// columns line up.
HFONT MakeEditFont(HWND dialog)
{
    LOGFONT logFont{};
    if (!GetObject(GetWindowFont(dialog), sizeof(logFont), &logFont))
        logFont.lfHeight = -11;
    std::strncpy(logFont.lfFaceName, "Fixedsys", LF_FACESIZE - 1);
    logFont.lfPitchAndFamily = 0x31; // FIXED_PITCH | FF_MODERN
    return CreateFontIndirect(&logFont);
}

} // namespace

CWESQLEditDlg::CWESQLEditDlg(CWnd* parent) : CWEAnchorDialog(IDD_WE_SQLEDIT, parent) {}

CWESQLEditDlg::~CWESQLEditDlg()
{
    if (m_hWnd)
        DestroyWindow(m_hWnd);
    if (m_hEditFont)
        DeleteObject(m_hEditFont);
}

BOOL CWESQLEditDlg::OnInitDialog()
{
    CWEAnchorDialog::OnInitDialog();
    RECT frame{};
    GetWindowRect(m_hWnd, &frame);
    SetWindowPos(m_hWnd, HWND_TOP, frame.left + kOffset, frame.top + kOffset, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    m_bFilling = TRUE;
    m_bModified = FALSE;
    m_strCaption = GetWindowTextString(m_hWnd);
    // Without the font the request shows in the dialog's own.
    if ((m_hEditFont = MakeEditFont(m_hWnd)))
        SetWindowFont(GetDlgItem(IDC_WE_SQL), m_hEditFont, TRUE);
    if (m_bCheck)
        CheckDlgButton(m_hWnd, IDC_WE_CHECKSQL, BST_CHECKED);
    AnchorControl(GetDlgItem(IDC_WE_SQL), 0, 0, 100, 100);
    AnchorControl(GetDlgItem(IDC_WE_CHECKSQL), 0, 100, -1, -1);
    for (int id : {IDOK, IDC_WE_RESTORE, IDCANCEL, IDHELP})
        AnchorControl(GetDlgItem(id), 100, 100, -1, -1);
    SetDlgItemText(m_hWnd, IDC_WE_SQL, m_strSqlText.c_str());
    m_bFilling = FALSE;
    return TRUE;
}

void CWESQLEditDlg::MarkModified()
{
    m_bModified = TRUE;
    SetWindowText(m_hWnd, (m_strCaption + "*").c_str());
}

void CWESQLEditDlg::RestoreDefault()
{
    if (MessageBox(m_hWnd, kAskRestore, WE_CAPTION, MB_YESNO | MB_ICONEXCLAMATION | MB_DEFBUTTON2) != IDYES)
        return;
    m_strSqlText = m_strSqlDefault;
    m_bFilling = TRUE;
    SetDlgItemText(m_hWnd, IDC_WE_SQL, m_strSqlText.c_str());
    m_bFilling = FALSE;
    MarkModified();
}

BOOL CWESQLEditDlg::OnCommand(int id, UINT code, HWND control)
{
    // Editing back to the old text still counts as a change.
    if (id == IDC_WE_SQL && code == EN_CHANGE) {
        if (!m_bFilling && !m_bModified)
            MarkModified();
        return TRUE;
    }
    if (id == IDC_WE_RESTORE && code == BN_CLICKED) {
        RestoreDefault();
        return TRUE;
    }
    if (id == IDHELP && code == BN_CLICKED) {
        ShowHelpTopic(m_hWnd, WE_HELP_TOPIC_WIZARD);
        return TRUE;
    }
    return CWEAnchorDialog::OnCommand(id, code, control);
}

void CWESQLEditDlg::OnOK()
{
    if (m_bModified)
        m_strSqlText = GetWindowTextString(GetDlgItem(IDC_WE_SQL));
    m_bCheck = IsDlgButtonChecked(m_hWnd, IDC_WE_CHECKSQL) == BST_CHECKED;
    EndDialog(IDOK);
}

void CWESQLEditDlg::OnCancel()
{
    if (!m_bModified) {
        EndDialog(IDCANCEL);
        return;
    }
    switch (MessageBox(m_hWnd, kAskSave, WE_CAPTION, MB_YESNOCANCEL | MB_ICONEXCLAMATION)) {
    case IDYES:
        OnOK();
        break;
    case IDNO:
        m_bModified = FALSE;
        EndDialog(IDCANCEL);
        break;
    default:
        break; // stays open
    }
}
