#pragma once
// The last page: the project stands; Finish alone closes the wizard.

#include "CWEProjPropPage.h"
#include "CWETitleFont.h"

class CWEProjPageFinish : public CWEProjPropPage {
public:
    CWEProjPageFinish();

    BOOL OnInitDialog() override;
    BOOL OnSetActive() override;
    BOOL OnQueryCancel() override { return TRUE; }

private:
    CWETitleFont m_titleFont;
};
