#include "CWEProjPage4.h"

#include "PlandrelIds.h"
#include "WizardText.h"

#include "wizard/CWEHTMLDocument.h"
#include "wizard/CWEMultilang.h"
#include "wizard/CWEProjectSettings.h"

#include "win/CodePage.h"


CWEProjPage4::CWEProjPage4() : CWEProjPropPage(IDD_PAGE_OPTIONS) {}

BOOL CWEProjPage4::OnInitDialog()
{
    CWEProjPropPage::OnInitDialog();
    m_codePages.Attach(GetDlgItem(IDC_CODE_PAGES));
    RunReported([&] {
        CWEMultilang multilang;
        multilang.Init();
        m_codePages.Fill(multilang);
    });
    return TRUE;
}

bool CWEProjPage4::Read()
{
    CWEProjectSettings& settings = GetWizard();
    settings.m_lCollectRecipients = static_cast<LONG>(IsDlgButtonChecked(m_hWnd, IDC_COLLECT_RECIPIENTS));
    settings.m_lCollectSenders = static_cast<LONG>(IsDlgButtonChecked(m_hWnd, IDC_COLLECT_SENDERS));
    return m_codePages.GetSelection(settings.m_CodePage);
}

void CWEProjPage4::SelectCharset(const std::string& charset)
{
    m_codePages.SetCurSel(-1);
    m_codePages.SelectByName(LowerAscii(charset));
}

BOOL CWEProjPage4::OnSetActive()
{
    RunReported([&] {
        const CWEProjectSettings& settings = GetWizard();
        CheckDlgButton(m_hWnd, IDC_COLLECT_RECIPIENTS, settings.m_lCollectRecipients ? BST_CHECKED : BST_UNCHECKED);
        CheckDlgButton(m_hWnd, IDC_COLLECT_SENDERS, settings.m_lCollectSenders ? BST_CHECKED : BST_UNCHECKED);
        const std::string chosen = ToNarrow(settings.m_CodePage.wszWebCharset);
        if (!chosen.empty())
            SelectCharset(chosen);
        else if (const auto* document = GetHTMLDocument().Document())
            SelectCharset(document->Charset());
        SetWizardButtons(Read());
    });
    return TRUE;
}

BOOL CWEProjPage4::OnCommand(int id, UINT code, HWND control)
{
    if (id == IDC_CODE_PAGES && code == CBN_SELCHANGE) {
        RunReported([&] { SetWizardButtons(Read()); });
        return TRUE;
    }
    return CWEProjPropPage::OnCommand(id, code, control);
}

LRESULT CWEProjPage4::OnWizardNext()
{
    bool read = false;
    RunReported([&] { read = Read(); });
    return read ? 0 : -1;
}
