#pragma once
// The welcome page: the title, the support and web links, the version.
// Leaving from here needs no confirmation.

#include "CWEProjPropPage.h"
#include "CWETitleFont.h"

#include "controls/WELinkStatic.h"

class CWEProjPage0 : public CWEProjPropPage {
public:
    CWEProjPage0();

    BOOL OnInitDialog() override;
    BOOL OnSetActive() override;
    BOOL OnQueryCancel() override { return TRUE; }

    const CWELinkStatic& SupportLink() const { return m_supportLink; }
    const CWELinkStatic& SiteLink() const { return m_siteLink; }

private:
    CWETitleFont m_titleFont;
    CWELinkStatic m_supportLink;
    CWELinkStatic m_siteLink;
};
