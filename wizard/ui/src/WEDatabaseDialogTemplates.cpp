#include "wizardui/WEDatabaseDialogTemplates.h"

#include "ui/DialogTemplate.h"
#include "ui/ListCtrl.h"
#include "ui/Messages.h"
#include "ui/Styles.h"
#include "wizardui/WEWizardIds.h"

namespace {

constexpr DWORD kButton = WS_VISIBLE | WS_TABSTOP;
constexpr DWORD kDialog = WS_POPUP | WS_CAPTION | WS_SYSMENU;

DialogTemplate SqlEditTemplate()
{
    DialogTemplate dialog;
    dialog.style = kDialog | WS_THICKFRAME;
    dialog.caption = "Edit SQL-request for table creation";
    dialog.cx = 300;
    dialog.cy = 182;
    DWORD edit = WS_VISIBLE | WS_TABSTOP | WS_BORDER | WS_VSCROLL | WS_HSCROLL | ES_MULTILINE | ES_AUTOVSCROLL |
                 ES_AUTOHSCROLL | ES_WANTRETURN;
    dialog.items = {
        {WC_EDIT, "", IDC_WE_SQL, edit, 0, 7, 7, 286, 136},
        {WC_BUTTON, "Do preliminary check of the SQL-request", IDC_WE_CHECKSQL, kButton | BS_AUTOCHECKBOX, 0, 7, 148, 180, 10},
        {WC_BUTTON, "Save and close", IDOK, kButton | BS_DEFPUSHBUTTON, 0, 38, 162, 72, 14},
        {WC_BUTTON, "Restore Default", IDC_WE_RESTORE, kButton, 0, 113, 162, 72, 14},
        {WC_BUTTON, "Cancel", IDCANCEL, kButton, 0, 188, 162, 50, 14},
        {WC_BUTTON, "Help", IDHELP, kButton, 0, 243, 162, 50, 14},
    };
    return dialog;
}

DialogTemplate TablesTemplate()
{
    DialogTemplate dialog;
    dialog.style = kDialog;
    dialog.caption = "The list of existing tables";
    dialog.cx = 230;
    dialog.cy = 160;
    DWORD list = WS_VISIBLE | WS_TABSTOP | WS_BORDER | LVS_REPORT | LVS_SINGLESEL | LVS_SHOWSELALWAYS;
    dialog.items = {
        {WC_LISTVIEW, "", IDC_WE_TABLES, list, 0, 7, 7, 216, 126},
        {WC_BUTTON, "Delete", IDC_WE_DELETE, kButton, 0, 7, 139, 50, 14},
        {WC_BUTTON, "OK", IDOK, kButton | BS_DEFPUSHBUTTON, 0, 119, 139, 50, 14},
        {WC_BUTTON, "Help", IDHELP, kButton, 0, 173, 139, 50, 14},
    };
    return dialog;
}

} // namespace

void RegisterDatabaseDialogTemplates(HINSTANCE module)
{
    RegisterDialogTemplate(module, IDD_WE_SQLEDIT, SqlEditTemplate());
    RegisterDialogTemplate(module, IDD_WE_TABLES, TablesTemplate());
}
