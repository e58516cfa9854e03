#include "ui/PropertyPage.h"

CPropertyPage::CPropertyPage(UINT templateId, LPCSTR headerTitle, LPCSTR headerSubTitle) : CDialog(templateId)
{
    m_strHeaderTitle = headerTitle ? headerTitle : "";
    m_strHeaderSubTitle = headerSubTitle ? headerSubTitle : "";
    m_psp.dwFlags |= (m_strHeaderTitle.empty() ? 0 : PSP_USEHEADERTITLE) |
                     (m_strHeaderSubTitle.empty() ? 0 : PSP_USEHEADERSUBTITLE);
}
