#include "CWEProjPage0.h"

#include "CWEProjWizard.h"
#include "PlandrelIds.h"
#include "PlandrelStrings.h"

#include "wizard/WEUtils.h"
#include "wizard/WizardIds.h"

#include "ui/PropertySheet.h"

CWEProjPage0::CWEProjPage0() : CWEProjPropPage(IDD_PAGE_WELCOME) {}

BOOL CWEProjPage0::OnInitDialog()
{
    CWEProjPropPage::OnInitDialog();
    m_titleFont.ApplyTo(GetDlgItem(IDC_WELCOME_TITLE));
    const std::string support = PlandrelString(IDS_SUPPORT_ADDRESS);
    const std::string site = PlandrelString(IDS_WEB_ADDRESS);
    m_supportLink.SubclassDlgItem(IDC_SUPPORT_LINK, this);
    SetWindowText(m_supportLink, support.c_str());
    m_supportLink.SetLinkTarget(("mailto:" + support).c_str());
    m_siteLink.SubclassDlgItem(IDC_SITE_LINK, this);
    SetWindowText(m_siteLink, site.c_str());
    m_siteLink.SetLinkTarget(site.c_str());
    std::string version;
    GetVersionString("FileVersion", version);
    SetDlgItemText(m_hWnd, IDC_VERSION, version.c_str());
    return TRUE;
}

BOOL CWEProjPage0::OnSetActive()
{
    PostWizardButtons(PSWIZB_NEXT);
    return TRUE;
}
