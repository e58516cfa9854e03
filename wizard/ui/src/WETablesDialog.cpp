#include "wizardui/WETablesDialog.h"

#include "controls/WEHelp.h"
#include "ui/MessageBox.h"
#include "wizardui/WEAnswerDatabase.h"
#include "wizardui/WEWizardIds.h"

#include <stdexcept>

namespace {

std::string AskDelete(const std::string& table)
{
    return "Are you sure you want to delete the table \"" + table + "\"?";
}

void ReportFailure(HWND owner, const std::exception& error)
{
    MessageBox(owner, error.what(), WE_CAPTION, MB_OK | MB_ICONERROR);
}

} // namespace

CWETablesDialog::CWETablesDialog(const std::string& connectionString, CWnd* parent)
    : CDialog(IDD_WE_TABLES, parent), m_strConnection(connectionString)
{
}

BOOL CWETablesDialog::OnInitDialog()
{
    CDialog::OnInitDialog();
    EnableWindow(GetDlgItem(IDC_WE_DELETE), FALSE);
    m_list.Attach(GetDlgItem(IDC_WE_TABLES));
    m_list.InitColumns();
    FillList();
    return TRUE;
}

// The dialog opens whatever the listing ran into; the user has seen why.
void CWETablesDialog::FillList()
{
    try {
        if (m_strConnection.empty())
            throw std::logic_error("No data source is chosen.");
        for (const WETableEntry& table : ListTables(m_strConnection))
            if (!m_list.AddTable(table.type, table.name))
                throw std::runtime_error("The table \"" + table.name + "\" cannot be listed.");
    } catch (const std::exception& error) {
        ReportFailure(m_hWnd, error);
    }
}

void CWETablesDialog::DeleteSelected()
{
    int item = -1;
    const WETableRow* row = m_list.GetSelectedTable(&item);
    if (!row || row->name.empty())
        return;
    if (MessageBox(m_hWnd, AskDelete(row->name).c_str(), WE_CAPTION, MB_YESNO | MB_ICONQUESTION | MB_DEFBUTTON2) !=
        IDYES)
        return;
    try {
        DropTable(m_strConnection, row->name);
        m_list.DeleteItem(item);
    } catch (const std::exception& error) {
        ReportFailure(m_hWnd, error);
    }
}

BOOL CWETablesDialog::OnCommand(int id, UINT code, HWND control)
{
    if (code == BN_CLICKED && id == IDC_WE_DELETE) {
        DeleteSelected();
        return TRUE;
    }
    if (code == BN_CLICKED && id == IDHELP) {
        ShowHelpTopic(m_hWnd, WE_HELP_TOPIC_WIZARD);
        return TRUE;
    }
    return CDialog::OnCommand(id, code, control);
}

LRESULT CWETablesDialog::OnNotify(const NMHDR* header)
{
    if (header && header->idFrom == IDC_WE_TABLES && header->code == LVN_ITEMCHANGED)
        EnableWindow(GetDlgItem(IDC_WE_DELETE), m_list.GetSelectedCount() == 1);
    return CDialog::OnNotify(header);
}
