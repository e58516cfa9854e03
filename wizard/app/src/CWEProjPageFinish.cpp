#include "CWEProjPageFinish.h"

#include "CWEProjWizard.h"
#include "PlandrelIds.h"

CWEProjPageFinish::CWEProjPageFinish() : CWEProjPropPage(IDD_PAGE_FINISH) {}

BOOL CWEProjPageFinish::OnInitDialog()
{
    CWEProjPropPage::OnInitDialog();
    m_titleFont.ApplyTo(GetDlgItem(IDC_FINISH_TITLE));
    return TRUE;
}

BOOL CWEProjPageFinish::OnSetActive()
{
    RunReported([&] {
        PostWizardButtons(PSWIZB_FINISH);
        EnableWindow(GetWizardSheet().GetDlgItem(IDCANCEL), FALSE);
    });
    return TRUE;
}
