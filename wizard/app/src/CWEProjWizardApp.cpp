#include "CWEProjWizardApp.h"

#include "CWEProjWizard.h"

#include "com/Activation.h"

CWEProjWizardApp::CWEProjWizardApp() : CWinApp("Pollenta Project Generator") {}

int CWEProjWizardApp::InitInstance()
{
    CoInitialize(nullptr);
    RunWizard();
    CoUninitialize();
    return 0;
}

void CWEProjWizardApp::RunWizard()
{
    CWEProjWizard wizard;
    wizard.DoModal();
}
