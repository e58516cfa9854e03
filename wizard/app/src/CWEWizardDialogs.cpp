#include "CWEWizardDialogs.h"

CWEWizardDialogs& CWEWizardDialogs::Instance()
{
    static CWEWizardDialogs dialogs;
    return dialogs;
}
