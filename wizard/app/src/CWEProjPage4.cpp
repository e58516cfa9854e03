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
        multilang.EnumCodePages(m_pages, MIMECONTF_BROWSER);
        for (std::size_t i = 0; i < m_pages.size(); ++i) {
            const int item = m_codePages.AddString(ToNarrow(m_pages[i].wszDescription).c_str());
            m_codePages.SetItemData(item, i);
        }
    });
    return TRUE;
}

bool CWEProjPage4::Read()
{
    CWEProjectSettings& settings = GetWizard();
    settings.m_lCollectRecipients = static_cast<LONG>(IsDlgButtonChecked(m_hWnd, IDC_COLLECT_RECIPIENTS));
    settings.m_lCollectSenders = static_cast<LONG>(IsDlgButtonChecked(m_hWnd, IDC_COLLECT_SENDERS));
    const int selected = m_codePages.GetCurSel();
    if (selected == CB_ERR)
        return false;
    settings.m_CodePage = m_pages.at(m_codePages.GetItemData(selected));
    return true;
}

void CWEProjPage4::SelectCharset(const std::string& charset)
{
    const std::string wanted = LowerAscii(charset);
    m_codePages.SetCurSel(-1);
    for (int item = 0; item < m_codePages.GetCount(); ++item)
        if (ToNarrow(m_pages.at(m_codePages.GetItemData(item)).wszWebCharset) == wanted) {
            m_codePages.SetCurSel(item);
            return;
        }
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
