#include "CWERollBackDlg.h"

#include "SendingDialogs.h"
#include "lang/LocalizeDialog.h"
#include "module/TorvanePictures.h"

#include "ui/Icon.h"

CWERollBackDlg::CWERollBackDlg(CWnd* parent, int preparedCount)
    : CDialog(RollBackDialogTemplate(), parent), m_nPrepared(preparedCount)
{
}

CWERollBackDlg::~CWERollBackDlg()
{
    if (m_hWnd)
        DestroyWindow(m_hWnd);
    if (m_hIcon)
        DestroyIcon(m_hIcon);
}

std::string InsertPreparedCount(const std::string& text, int count)
{
    std::string result = text;
    const std::size_t token = result.find("%i");
    if (token != std::string::npos)
        result.replace(token, 2, std::to_string(count));
    return result;
}

BOOL CWERollBackDlg::OnInitDialog()
{
    LocalizeDialog(*this, IDD_ROLLBACK);
    if (!m_hIcon)
        m_hIcon = LoadTorvaneIcon(IDI_ROLLBACK);
    SetStaticIcon(GetDlgItem(IDC_ROLLBACK_ICON), m_hIcon);
    CheckRadioButton(m_hWnd, IDC_ROLLBACK_LEAVE, IDC_ROLLBACK_DELETE, IDC_ROLLBACK_LEAVE);
    const std::string text = GetWindowTextString(GetDlgItem(IDC_ROLLBACK_COUNT));
    if (text.find("%i") != std::string::npos)
        SetDlgItemText(m_hWnd, IDC_ROLLBACK_COUNT, InsertPreparedCount(text, m_nPrepared).c_str());
    return TRUE;
}

void CWERollBackDlg::OnOK()
{
    if (IsDlgButtonChecked(m_hWnd, IDC_ROLLBACK_DELETED_ITEMS) == BST_CHECKED)
        m_action = RollBackAction::MoveToDeletedItems;
    else if (IsDlgButtonChecked(m_hWnd, IDC_ROLLBACK_DELETE) == BST_CHECKED)
        m_action = RollBackAction::Delete;
    else if (IsDlgButtonChecked(m_hWnd, IDC_ROLLBACK_KEEP) == BST_CHECKED)
        m_action = RollBackAction::KeepInOutbox;
    else
        m_action = RollBackAction::Leave;
    CDialog::OnOK();
}
