#include "CWEProjPropPage.h"

#include "CWEProjWizard.h"
#include "PlandrelDialogs.h"
#include "PlandrelIds.h"
#include "PlandrelStrings.h"
#include "WizardText.h"

#include "wizard/CWEException.h"
#include "wizard/WizardIds.h"

#include "controls/WEHelp.h"
#include "ui/MessageBox.h"
#include "ui/PostMessage.h"
#include "ui/PropertySheet.h"


CWEProjPropPage::CWEProjPropPage(UINT templateId) : CPropertyPage(templateId)
{
    if (const UINT title = PageHeaderTitleId(templateId)) {
        m_strHeaderTitle = PlandrelString(title);
        m_psp.dwFlags |= PSP_USEHEADERTITLE;
    } else {
        m_psp.dwFlags |= PSP_HIDEHEADER;
    }
}

CWEProjWizard& CWEProjPropPage::GetWizardSheet() const
{
    auto* sheet = static_cast<CWEProjWizard*>(GetSheet());
    if (!sheet)
        WE_THROW_UNEXPECTED();
    return *sheet;
}

CWEProjectSettings& CWEProjPropPage::GetWizard() const { return GetWizardSheet().m_settings; }
CWEHTMLDocument& CWEProjPropPage::GetHTMLDocument() const { return GetWizardSheet().m_document; }
CWEErrors& CWEProjPropPage::GetCheckErrors() const { return GetWizardSheet().m_checkErrors; }
CWEFieldsDataSet& CWEProjPropPage::GetFieldsDataSet() const { return GetWizardSheet().m_fields; }
CWEErrors& CWEProjPropPage::GetCreationErrors() const { return GetWizardSheet().m_creationErrors; }

void CWEProjPropPage::SetWizardButtons(bool next)
{
    PostWizardButtons(next ? PSWIZB_BACK | PSWIZB_NEXT : PSWIZB_BACK);
}

void CWEProjPropPage::PostWizardButtons(DWORD flags)
{
    RunReported([&] { PostMessage(GetWizardSheet(), PSM_SETWIZBUTTONS, 0, static_cast<LPARAM>(flags)); });
}

BOOL CWEProjPropPage::OnQueryCancel()
{
    const std::string question = PlandrelString(IDS_QUERY_CANCEL);
    const std::string caption = PlandrelString(IDS_WIZARD_CAPTION);
    return MessageBox(m_hWnd, question.c_str(), caption.c_str(), MB_YESNO | MB_ICONQUESTION | MB_DEFBUTTON2) == IDYES;
}

BOOL CWEProjPropPage::OnCommand(int id, UINT code, HWND control)
{
    if (id == ID_HELP) {
        ShowHelpTopic(m_hWnd, WE_HELP_TOPIC_WIZARD);
        return TRUE;
    }
    return CPropertyPage::OnCommand(id, code, control);
}

bool CWEProjPropPage::RunReported(const std::function<void()>& work)
{
    try {
        work();
        return true;
    } catch (const CWEException& exception) {
        exception.ReportError();
    } catch (const std::exception&) {
        CWEException(WE_E_UNEXPECTED, {}).ReportError();
    }
    return false;
}

std::string CWEProjPropPage::TrimmedText(int id) const { return TrimBlanks(GetWindowTextString(GetDlgItem(id))); }
