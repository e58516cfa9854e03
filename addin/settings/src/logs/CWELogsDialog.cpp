#include "logs/CWELogsDialog.h"

#include "resources/SettingsTexts.h"

#include "resources/KestrinResources.h"

#include "controls/WEHelp.h"
#include "ui/MessageBox.h"
#include "win/File.h"
#include "win/Shell.h"

const DialogTemplate& CWELogsDialog::Template()
{
    static const DialogTemplate dialog = [] {
        DialogTemplate d;
        d.style = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_CENTER;
        d.cx = 260;
        d.cy = 170;
        d.caption = "View / delete logs";
        d.fontName = "Tahoma";
        d.items = {
            {"Static", "Logs:", -1, WS_VISIBLE, 0, 7, 7, 180, 8},
            {"SysListView32", "", IDC_LOGS, WS_VISIBLE | WS_TABSTOP | LVS_REPORT | LVS_SHOWSELALWAYS, 0, 7, 18, 186, 145},
            {"Button", "Open...", IDC_OPEN, WS_VISIBLE | WS_TABSTOP, 0, 200, 18, 53, 14},
            {"Button", "Delete", IDC_DELETE, WS_VISIBLE | WS_TABSTOP, 0, 200, 36, 53, 14},
            {"Button", "Delete All", IDC_DELETE_ALL, WS_VISIBLE | WS_TABSTOP, 0, 200, 54, 53, 14},
            {"Button", "Close", IDOK, WS_VISIBLE | WS_TABSTOP | BS_DEFPUSHBUTTON, 0, 200, 131, 53, 14},
            {"Button", "Help", IDHELP, WS_VISIBLE | WS_TABSTOP, 0, 200, 149, 53, 14},
        };
        return d;
    }();
    return dialog;
}

CWELogsDialog::CWELogsDialog(CWnd* parent) : CDialog(Template(), parent) {}

BOOL CWELogsDialog::OnInitDialog()
{
    m_list.SubclassDlgItem(IDC_LOGS, this);
    m_list.SetExtendedStyle(LVS_EX_FULLROWSELECT);
    m_list.SetSettings(m_pSettings);
    m_list.Fill();
    UpdateButtons();
    return TRUE;
}

void CWELogsDialog::UpdateButtons()
{
    UINT selected = m_list.GetSelectedCount();
    EnableWindow(GetDlgItem(IDC_OPEN), selected == 1);
    EnableWindow(GetDlgItem(IDC_DELETE), selected >= 1);
    EnableWindow(GetDlgItem(IDC_DELETE_ALL), m_list.GetItemCount() > 0);
}

BOOL CWELogsDialog::OnCommand(int id, UINT code, HWND control)
{
    if (code != BN_CLICKED)
        return FALSE;
    switch (id) {
    case IDC_OPEN:
        OpenSelected();
        return TRUE;
    case IDC_DELETE:
        DeleteSelected();
        return TRUE;
    case IDC_DELETE_ALL:
        DeleteAll();
        return TRUE;
    case IDHELP:
        ShowHelpTopic(m_hWnd, WE_HELP_TOPIC_ADDIN);
        return TRUE;
    default:
        return CDialog::OnCommand(id, code, control);
    }
}

LRESULT CWELogsDialog::OnNotify(const NMHDR* header)
{
    if (header->idFrom != static_cast<UINT_PTR>(IDC_LOGS))
        return 0;
    if (header->code == LVN_ITEMCHANGED)
        UpdateButtons();
    else if (header->code == NM_DBLCLK)
        OpenSelected();
    return 0;
}

void CWELogsDialog::OpenSelected()
{
    int row = m_list.GetNextItem(-1, LVNI_SELECTED);
    const CWELogItem* item = m_list.GetLogItem(row);
    if (!item)
        return;
    if (GetFileAttributes(item->m_strPath.c_str()) != INVALID_FILE_ATTRIBUTES) {
        // The user's viewer for text files, as the shell opens them.
        ShellExecute(m_hWnd, "open", item->m_strPath.c_str(), nullptr, nullptr, SW_SHOW);
        return;
    }
    MessageBox(m_hWnd, SettingsString(IDS_LOG_NOT_FOUND).c_str(), SettingsString(IDS_PRODUCT_CAPTION).c_str(),
               MB_ICONERROR);
    m_list.RemoveRow(row);
    UpdateButtons();
}

void CWELogsDialog::DeleteSelected()
{
    for (int row = m_list.GetNextItem(-1, LVNI_SELECTED); row >= 0; row = m_list.GetNextItem(-1, LVNI_SELECTED)) {
        if (const CWELogItem* item = m_list.GetLogItem(row); item && !item->m_strPath.empty())
            DeleteFile(item->m_strPath.c_str());
        m_list.RemoveRow(row);
    }
    UpdateButtons();
}

void CWELogsDialog::DeleteAll()
{
    while (m_list.GetItemCount() > 0) {
        if (const CWELogItem* item = m_list.GetLogItem(0); item && !item->m_strPath.empty())
            DeleteFile(item->m_strPath.c_str());
        m_list.RemoveRow(0);
    }
    UpdateButtons();
}
