#include "CWEWizardDialogs.h"

#include "PlandrelStrings.h"

#include "wizard/WizardIds.h"

#include "ui/MessageBox.h"
#include "ui/Wnd.h"
#include "wizardui/WEDataLinkPrompt.h"
#include "wizardui/WESQLEditDlg.h"
#include "wizardui/WETablesDialog.h"

namespace {

bool ChooseDataSource(CWnd* owner, std::string& connection)
{
    const HWND window = owner ? owner->m_hWnd : nullptr;
    std::string error;
    if (PromptDataLink(window, connection, error))
        return true;
    if (!error.empty())
        MessageBox(window, error.c_str(), PlandrelString(IDS_WIZARD_CAPTION).c_str(), MB_ICONERROR);
    return false;
}

void ShowTables(CWnd* owner, const std::string& connection)
{
    CWETablesDialog dialog(connection, owner);
    dialog.DoModal();
}

bool EditSql(CWnd* owner, CWESqlEdit& edit)
{
    CWESQLEditDlg dialog(owner);
    dialog.m_strSqlText = edit.m_strText;
    dialog.m_strSqlDefault = edit.m_strDefault;
    dialog.m_bCheck = edit.m_lCheck != 0;
    if (dialog.DoModal() != IDOK)
        return false;
    if (dialog.m_bModified)
        edit.m_strText = dialog.m_strSqlText;
    edit.m_lCheck = dialog.m_bCheck ? 1 : 0;
    return true;
}

}  // namespace

CWEWizardDialogs::CWEWizardDialogs() : m_chooseDataSource(ChooseDataSource), m_showTables(ShowTables), m_editSql(EditSql)
{
}

CWEWizardDialogs& CWEWizardDialogs::Instance()
{
    static CWEWizardDialogs dialogs;
    return dialogs;
}
