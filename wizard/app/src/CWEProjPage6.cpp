#include "CWEProjPage6.h"

#include "PlandrelIds.h"
#include "PlandrelStrings.h"
#include "SqlRequestEditing.h"

#include "wizard/CWEProjectCreator.h"
#include "wizard/WizardIds.h"

#include "ui/MessageBox.h"

CWEProjPage6::CWEProjPage6() : CWEProjPropPage(IDD_PAGE_CREATE) {}

void CWEProjPage6::RunCreator(int mode)
{
    GetCreationErrors().RemoveAll();
    CWEProjectCreator(&GetHTMLDocument(), &GetCreationErrors(), &GetWizard(), &GetFieldsDataSet(), mode).Create();
}

BOOL CWEProjPage6::OnSetActive()
{
    RunReported([&] {
        CWEProjectSettings& settings = GetWizard();
        // A request the user edited stays the user's, with the choice of
        // checking it: coming back from the errors page must not replace it
        // by a freshly generated one.
        const LONG edited = settings.m_lSqlEdited;
        const LONG check = settings.m_lSqlCheck;
        RunCreator(CWEProjectCreator::kPreparing);
        settings.m_strSqlDefault = settings.m_strSqlRequest;
        settings.m_lSqlEdited = edited;
        settings.m_lSqlCheck = edited ? check : 1;
    });
    SetWizardButtons(true);
    return TRUE;
}

LRESULT CWEProjPage6::OnWizardBack()
{
    CWEProjectSettings& settings = GetWizard();
    if (settings.m_lSqlEdited) {
        const std::string text = PlandrelString(IDS_SQL_BACK_WARNING);
        const std::string caption = PlandrelString(IDS_WIZARD_CAPTION);
        if (MessageBox(m_hWnd, text.c_str(), caption.c_str(), MB_YESNO | MB_ICONEXCLAMATION) != IDYES)
            return -1;
    }
    settings.m_strSqlRequest.clear();
    settings.m_strSqlDefault.clear();
    settings.m_lSqlEdited = 0;
    settings.m_lSqlCheck = 1;
    return 0;
}

LRESULT CWEProjPage6::OnWizardNext()
{
    RunReported([&] { RunCreator(CWEProjectCreator::kCreating); });
    return 0;
}

BOOL CWEProjPage6::OnCommand(int id, UINT code, HWND control)
{
    if (id == IDC_EDIT_SQL && code == BN_CLICKED) {
        RunReported([&] { EditSqlRequest(this, GetWizard()); });
        return TRUE;
    }
    return CWEProjPropPage::OnCommand(id, code, control);
}
