#pragma once
// The wizard program: one sheet, run modally, and nothing else; the program
// ends when the sheet closes.

#include "ui/WinApp.h"

class CWEProjWizardApp : public CWinApp {
public:
    CWEProjWizardApp();

    // COM around the wizard's run; answers the program's exit code.
    int InitInstance();

private:
    void RunWizard();
};
