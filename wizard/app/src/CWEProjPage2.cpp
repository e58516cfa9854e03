#include "CWEProjPage2.h"

#include "PlandrelIds.h"

CWEProjPage2::CWEProjPage2() : CWEProjPropPage(IDD_PAGE_CHECK) {}

BOOL CWEProjPage2::OnInitDialog()
{
    CWEProjPropPage::OnInitDialog();
    m_list.Attach(GetDlgItem(IDC_CHECK_ERRORS));
    RunReported([&] { m_list.InitColumns(); });
    return TRUE;
}

BOOL CWEProjPage2::OnSetActive()
{
    bool shown = true;
    RunReported([&] {
        const CWEErrors& errors = GetCheckErrors();
        shown = errors.GetCount() > 0;
        if (!shown)
            return;
        m_list.Fill(errors);
        SetWizardButtons(errors.CountErrors() == 0);
    });
    return shown;
}
