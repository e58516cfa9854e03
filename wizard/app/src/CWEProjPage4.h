#pragma once
// The transformation options: the recipient and sender fields, and the
// code page the survey page is written in.

#include "CWEProjPropPage.h"

#include "wizardui/WECodePagesComboBox.h"

#include <string>

class CWEProjPage4 : public CWEProjPropPage {
public:
    CWEProjPage4();

    BOOL OnInitDialog() override;
    BOOL OnSetActive() override;
    LRESULT OnWizardNext() override;
    BOOL OnCommand(int id, UINT code, HWND control) override;

    // False when no code page is selected.
    bool Read();

private:
    // The entry of that web charset, or none.
    void SelectCharset(const std::string& charset);

    CWECodePagesComboBox m_codePages;
};
