#include "CWEProjWizard.h"

#include "PlandrelDialogs.h"

CWEProjWizard::CWEProjWizard() : CPropertySheet("NewProject")
{
    RegisterPlandrelDialogs();
    for (CPropertyPage* page : std::initializer_list<CPropertyPage*>{
             &m_page0, &m_page1, &m_page2, &m_page3, &m_page31, &m_page4, &m_page5, &m_page51, &m_page6, &m_page7,
             &m_pageFinish})
        AddPage(page);
}
