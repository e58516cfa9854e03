#include "CWEProjPage31.h"

#include "PlandrelIds.h"

#include "wizard/CWEProjectSettings.h"

CWEProjPage31::CWEProjPage31() : CWEProjPropPage(IDD_PAGE_MARKS) {}

bool CWEProjPage31::IsValid()
{
    if (!m_nFilling) {
        GetWizard().m_strSuccessMark = TrimmedText(IDC_SUCCESS_MARK);
        GetWizard().m_strFailedMark = TrimmedText(IDC_FAILED_MARK);
    }
    return true;
}

BOOL CWEProjPage31::OnSetActive()
{
    RunReported([&] {
        m_nFilling = 1;
        SetDlgItemText(m_hWnd, IDC_SUCCESS_MARK, GetWizard().m_strSuccessMark.c_str());
        SetDlgItemText(m_hWnd, IDC_FAILED_MARK, GetWizard().m_strFailedMark.c_str());
        SetWizardButtons(IsValid());
    });
    m_nFilling = 0;
    return TRUE;
}

BOOL CWEProjPage31::OnCommand(int id, UINT code, HWND control)
{
    if ((id == IDC_SUCCESS_MARK || id == IDC_FAILED_MARK) && code == EN_CHANGE) {
        RunReported([&] { SetWizardButtons(IsValid()); });
        return TRUE;
    }
    return CWEProjPropPage::OnCommand(id, code, control);
}

LRESULT CWEProjPage31::OnWizardNext()
{
    RunReported([&] { SetWizardButtons(IsValid()); });
    return 0;
}
