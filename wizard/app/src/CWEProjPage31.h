#pragma once
// The marks the add-in appends to the subject of processed answers; both
// may be empty.

#include "CWEProjPropPage.h"

class CWEProjPage31 : public CWEProjPropPage {
public:
    CWEProjPage31();

    BOOL OnSetActive() override;
    LRESULT OnWizardNext() override;
    BOOL OnCommand(int id, UINT code, HWND control) override;

    bool IsValid();

private:
    int m_nFilling = 1;
};
