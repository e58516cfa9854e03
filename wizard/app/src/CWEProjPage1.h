#pragma once
// The page source: the path of the HTML page, typed or chosen. Next checks
// the page afresh, with every other setting back to its default.

#include "CWEProjPropPage.h"

class CWEProjPage1 : public CWEProjPropPage {
public:
    CWEProjPage1();

    BOOL OnInitDialog() override;
    BOOL OnSetActive() override;
    LRESULT OnWizardNext() override;
    BOOL OnCommand(int id, UINT code, HWND control) override;

    bool IsValid();

private:
    void Browse();
};
