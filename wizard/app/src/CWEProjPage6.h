#pragma once
// Ready to create: the SQL request for the answer table is prepared on
// activation and may be edited; Next creates the project.

#include "CWEProjPropPage.h"

class CWEProjPage6 : public CWEProjPropPage {
public:
    CWEProjPage6();

    BOOL OnSetActive() override;
    LRESULT OnWizardBack() override;
    LRESULT OnWizardNext() override;
    BOOL OnCommand(int id, UINT code, HWND control) override;

private:
    void RunCreator(int mode);
};
