#pragma once
// The survey's identity: its name, which must be new among the projects,
// the address answers go to and their subject.

#include "CWEProjPropPage.h"

#include <string>

class CWEProjPage3 : public CWEProjPropPage {
public:
    CWEProjPage3();

    BOOL OnSetActive() override;
    LRESULT OnWizardNext() override;
    BOOL OnCommand(int id, UINT code, HWND control) override;

    bool IsValid();
    // Whether no project of the project library bears the name (names
    // compared exactly, blanks at either end ignored).
    static bool IsNameUnique(const std::string& name);

private:
    int m_nFilling = 1;
};
