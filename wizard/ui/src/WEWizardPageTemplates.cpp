#include "ui/DialogTemplate.h"
#include "ui/FlexGrid.h"
#include "ui/ListCtrl.h"
#include "ui/Styles.h"
#include "wizardui/WEWizardPages.h"

#include <string>
#include <vector>

namespace {

constexpr short kWidth = 317;
constexpr short kHeight = 143;
constexpr DWORD kShown = WS_VISIBLE;
constexpr DWORD kTab = WS_VISIBLE | WS_TABSTOP;
constexpr DWORD kEdit = kTab | WS_BORDER | ES_AUTOHSCROLL;
constexpr DWORD kList = kTab | WS_BORDER | LVS_REPORT | LVS_SINGLESEL | LVS_SHOWSELALWAYS;
constexpr DWORD kCheck = kTab | BS_AUTOCHECKBOX;
const char kTitle[] = "Creating a new Pollenta project";
const char kEditSql[] = "Edit SQL-request for table creation";

void Register(HINSTANCE module, UINT id, const std::string& suffix, std::vector<DialogItem> items)
{
    DialogTemplate page;
    page.style = WS_CHILD;
    page.caption = std::string(kTitle) + suffix;
    page.cx = kWidth;
    page.cy = kHeight;
    page.items = std::move(items);
    RegisterDialogTemplate(module, id, page);
}

void RegisterExteriorPages(HINSTANCE module)
{
    Register(module, 104, "", {
        {WC_STATIC, "Welcome!", 1027, kShown, 0, 115, 8, 195, 24},
        {WC_STATIC, "This wizard makes a Pollenta survey project from an HTML page with a form: the message that "
                    "every recipient gets, the table that keeps the answers, and the marks of processed answers.",
         -1, kShown, 0, 115, 40, 195, 48},
        {WC_STATIC, "support@pollenta.example", 1029, kShown | SS_NOTIFY, 0, 115, 100, 195, 10},
        {WC_STATIC, "https://pollenta.example", 1030, kShown | SS_NOTIFY, 0, 115, 112, 195, 10},
        {WC_STATIC, "Version 1.0", 1031, kShown, 0, 115, 128, 195, 10},
    });
    Register(module, 109, " (Finish)", {
        {WC_STATIC, "Finish", 1028, kShown, 0, 115, 8, 195, 24},
        {WC_STATIC, "The project is made. The mail add-in lists it among its projects, ready to be sent.", -1,
         kShown, 0, 115, 40, 195, 40},
    });
}

void RegisterPageSteps(HINSTANCE module)
{
    Register(module, 103, " (Step 1)", {
        {WC_STATIC, "HTML page with the survey form:", -1, kShown, 0, 21, 8, 275, 10},
        {WC_EDIT, "", 1000, kEdit, 0, 21, 20, 220, 12},
        {WC_BUTTON, "Browse...", 1001, kTab, 0, 246, 19, 50, 14},
    });
    Register(module, 105, " (Errors)", {
        {WC_STATIC, "The preliminary check of the page found these problems:", -1, kShown, 0, 21, 4, 275, 10},
        {WC_LISTVIEW, "", 1002, kList, 0, 21, 16, 275, 122},
    });
    Register(module, 110, " (Step 2)", {
        {WC_STATIC, "Project name:", -1, kShown, 0, 21, 10, 85, 10},
        {WC_EDIT, "", 1003, kEdit, 0, 110, 8, 186, 12},
        {WC_STATIC, "Answer e-mail address:", -1, kShown, 0, 21, 30, 85, 10},
        {WC_EDIT, "", 1004, kEdit, 0, 110, 28, 186, 12},
        {WC_STATIC, "Subject of the message:", -1, kShown, 0, 21, 50, 85, 10},
        {WC_EDIT, "", 1005, kEdit, 0, 110, 48, 186, 12},
    });
    Register(module, 114, " (Step 3)", {
        {WC_STATIC, "Mark of answers processed successfully:", -1, kShown, 0, 21, 10, 150, 10},
        {WC_EDIT, "", 1015, kEdit, 0, 180, 8, 116, 12},
        {WC_STATIC, "Mark of answers processed with errors:", -1, kShown, 0, 21, 30, 150, 10},
        {WC_EDIT, "", 1016, kEdit, 0, 180, 28, 116, 12},
    });
    Register(module, 106, " (Step 4)", {
        {WC_BUTTON, "Insert a field for collecting survey recipient addresses into the form  (the text field "
                    "RecipientEmail will be added to the database table)", 1006, kCheck, 0, 21, 8, 275, 20},
        {WC_BUTTON, "Collect e-mail addresses of the respondents who have answered the survey (the text field "
                    "SenderEmail will be added to the database table)", 1007, kCheck, 0, 21, 32, 275, 20},
        {WC_STATIC, "Encoding of the survey page:", -1, kShown, 0, 21, 62, 112, 10},
        {WC_COMBOBOX, "", 1008, kTab | CBS_DROPDOWNLIST | WS_VSCROLL, 0, 137, 60, 159, 120},
    });
}

void RegisterDatabaseSteps(HINSTANCE module)
{
    Register(module, 107, " (Step 5)", {
        {WC_STATIC, "Data source:", -1, kShown, 0, 21, 8, 275, 10},
        {WC_EDIT, "", 1009, kEdit | ES_READONLY, 0, 21, 20, 275, 12},
        {WC_BUTTON, "Choose the data source...", 1010, kTab, 0, 196, 36, 100, 14},
        {WC_STATIC, "Name of the new answer table:", -1, kShown, 0, 21, 60, 275, 10},
        {WC_EDIT, "", 1011, kEdit, 0, 21, 72, 170, 12},
        {WC_BUTTON, "Check table name...", 1012, kTab, 0, 196, 71, 100, 14},
    });
    Register(module, 112, " (Step 6)", {
        {WC_FLEXGRID, "", 1014, kTab, 0, 21, 4, 275, 118},
        {WC_STATIC, "* - some databases may not support these field types.", -1, kShown, 0, 21, 127, 275, 10},
    });
    Register(module, 108, " (Step 7)", {
        {WC_STATIC, "The wizard is ready to create the project. Press Next to create it.", -1, kShown, 0, 21, 8, 275, 20},
        {WC_BUTTON, kEditSql, 1018, kTab, 0, 21, 40, 150, 14},
    });
    Register(module, 111, " (Errors)", {
        {WC_STATIC, "Creating the project ran into these problems:", -1, kShown, 0, 21, 4, 275, 10},
        {WC_LISTVIEW, "", 1013, kList, 0, 21, 16, 275, 100},
        {WC_BUTTON, kEditSql, 1018, kTab | WS_DISABLED, 0, 21, 122, 150, 14},
        {WC_BUTTON, "Retry", 1019, kTab | WS_DISABLED, 0, 246, 122, 50, 14},
    });
}

} // namespace

void RegisterWizardPageTemplates(HINSTANCE module)
{
    RegisterExteriorPages(module);
    RegisterPageSteps(module);
    RegisterDatabaseSteps(module);
}
