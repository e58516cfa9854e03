#include "CWEProjWizard.h"

#include "PlandrelDialogs.h"

#include "ui/DialogTemplate.h"
#include "ui/PostMessage.h"
#include "wizardui/WEDatabaseDialogTemplates.h"

CWEProjWizard::CWEProjWizard() : CPropertySheet("NewProject", nullptr, 0, CWEWizardPictures::m_hbmWatermark,
                     CWEWizardPictures::m_hbmHeader)
{
    m_psh.dwFlags |= PSH_WIZARD97;
    RegisterPlandrelDialogs();
    RegisterDatabaseDialogTemplates(AfxGetResourceHandle());
    for (CPropertyPage* page : std::initializer_list<CPropertyPage*>{
             &m_page0, &m_page1, &m_page2, &m_page3, &m_page31, &m_page4, &m_page5, &m_page51, &m_page6, &m_page7,
             &m_pageFinish})
        AddPage(page);
}

BOOL CWEProjWizard::OnInitDialog()
{
    const BOOL answer = CPropertySheet::OnInitDialog();
    SendMessage(m_hWnd, WM_SETICON, 1, reinterpret_cast<LPARAM>(m_hIcon));
    return answer;
}
