#include "CWEProjPage7.h"

#include "CWEProjWizard.h"
#include "PlandrelIds.h"
#include "SqlRequestEditing.h"

#include "wizard/CWEProjectCreator.h"
#include "wizard/WizardIds.h"

CWEProjPage7::CWEProjPage7() : CWEProjPropPage(IDD_PAGE_ERRORS) {}

BOOL CWEProjPage7::OnInitDialog()
{
    CWEProjPropPage::OnInitDialog();
    m_list.Attach(GetDlgItem(IDC_CREATION_ERRORS));
    RunReported([&] { m_list.InitColumns(); });
    return TRUE;
}

void CWEProjPage7::ShowErrors()
{
    const CWEErrors& errors = GetCreationErrors();
    m_list.Fill(errors);
    bool sqlOrTable = false;
    for (std::size_t i = 0; i < errors.GetCount(); ++i)
        sqlOrTable = sqlOrTable || errors.GetId(i) == WE_E_SQL || errors.GetId(i) == WE_E_CREATE_TABLE;
    SetWizardButtons(errors.CountErrors() == 0);
    EnableWindow(GetDlgItem(IDC_EDIT_SQL), sqlOrTable);
}

BOOL CWEProjPage7::OnSetActive()
{
    bool shown = true;
    RunReported([&] {
        EnableWindow(GetDlgItem(IDC_EDIT_SQL), FALSE);
        EnableWindow(GetDlgItem(IDC_RETRY), FALSE);
        shown = GetCreationErrors().GetCount() > 0;
        if (shown)
            ShowErrors();
    });
    return shown;
}

void CWEProjPage7::Retry()
{
    GetCreationErrors().RemoveAll();
    m_list.DeleteAllItems();
    CWEProjectCreator(&GetHTMLDocument(), &GetCreationErrors(), &GetWizard(), &GetFieldsDataSet(),
                      CWEProjectCreator::kCreating)
        .Create();
    EnableWindow(GetDlgItem(IDC_EDIT_SQL), FALSE);
    EnableWindow(GetDlgItem(IDC_RETRY), FALSE);
    if (GetCreationErrors().GetCount() > 0)
        ShowErrors();
    else
        GetWizardSheet().SetActivePage(GetWizardSheet().GetPageCount() - 1);
}

BOOL CWEProjPage7::OnCommand(int id, UINT code, HWND control)
{
    if (id == IDC_EDIT_SQL && code == BN_CLICKED) {
        RunReported([&] {
            if (EditSqlRequest(this, GetWizard()))
                EnableWindow(GetDlgItem(IDC_RETRY), TRUE);
        });
        return TRUE;
    }
    if (id == IDC_RETRY && code == BN_CLICKED) {
        RunReported([&] { Retry(); });
        return TRUE;
    }
    return CWEProjPropPage::OnCommand(id, code, control);
}
