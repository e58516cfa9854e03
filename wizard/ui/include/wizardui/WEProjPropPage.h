#pragma once
// What every page of the project wizard does alike: it asks before the
// user abandons the wizard, opens the wizard's help topic, and sets the
// sheet's Back and Next by posting, so that the change lands after the
// notification the page is handling.

#include "ui/PropertySheet.h"

inline constexpr char WE_ASK_CANCEL[] =
    "Are you sure you want to exit the Wizard and terminate the new project creation?";

class CWEProjPropPage : public CPropertyPage {
public:
    using CPropertyPage::CPropertyPage;

    // Back and Next when `next` is true, Back alone otherwise.
    void SetWizardButtons(bool next);
    BOOL OnQueryCancel() override;
    BOOL OnCommand(int id, UINT code, HWND control) override;
};
