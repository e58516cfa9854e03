// plandrel: the project wizard, which makes a survey project from an HTML
// page with a form.

#include "CWEProjWizardApp.h"

int main()
{
    CWEProjWizardApp application;
    return application.InitInstance();
}
