#include "CWEProjPage2.h"

#include "ErrorListView.h"
#include "PlandrelIds.h"

CWEProjPage2::CWEProjPage2() : CWEProjPropPage(IDD_PAGE_CHECK) {}

BOOL CWEProjPage2::OnInitDialog()
{
    CWEProjPropPage::OnInitDialog();
    m_list.Attach(GetDlgItem(IDC_CHECK_ERRORS));
    SetUpErrorColumns(m_list);
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
        FillErrorList(m_list, errors);
        SetWizardButtons(errors.CountErrors() == 0);
    });
    return shown;
}
