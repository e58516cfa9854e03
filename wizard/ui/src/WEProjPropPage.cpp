#include "wizardui/WEProjPropPage.h"

#include "controls/WEHelp.h"
#include "ui/MessageBox.h"
#include "ui/PostMessage.h"
#include "wizardui/WEWizardIds.h"

void CWEProjPropPage::SetWizardButtons(bool next)
{
    if (CPropertySheet* sheet = GetSheet())
        PostMessage(*sheet, PSM_SETWIZBUTTONS, 0, next ? PSWIZB_BACK | PSWIZB_NEXT : PSWIZB_BACK);
}

BOOL CWEProjPropPage::OnQueryCancel()
{
    return MessageBox(m_hWnd, WE_ASK_CANCEL, WE_CAPTION, MB_YESNO | MB_ICONQUESTION | MB_DEFBUTTON2) == IDYES;
}

BOOL CWEProjPropPage::OnCommand(int id, UINT code, HWND control)
{
    if (id == ID_HELP) {
        ShowHelpTopic(m_hWnd, WE_HELP_TOPIC_WIZARD);
        return TRUE;
    }
    return CPropertyPage::OnCommand(id, code, control);
}
