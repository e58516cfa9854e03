// The page templates, in dialog units. Controls are listed in the order the
// keyboard visits them: the dialog layer gives focus in template order.

#include "PlandrelDialogs.h"

#include "PlandrelIds.h"

#include "ui/DialogTemplate.h"
#include "ui/FlexGrid.h"
#include "ui/Styles.h"

#include <initializer_list>
#include <utility>

namespace {

constexpr short kPageWidth = 317;
// Interior pages below the sheet's header band; the welcome and finish
// pages take the band's room as well, beside the watermark.
constexpr short kPageHeight = 143;

constexpr DWORD kVisible = WS_VISIBLE;
constexpr DWORD kTab = WS_VISIBLE | WS_TABSTOP;

struct PageHeader {
    UINT dialogId;
    UINT titleId;
};

constexpr PageHeader kHeaders[] = {
    {IDD_PAGE_WELCOME, 0},
    {IDD_PAGE_SOURCE, IDS_HEADER_SOURCE},
    {IDD_PAGE_CHECK, IDS_HEADER_CHECK},
    {IDD_PAGE_IDENTITY, IDS_HEADER_IDENTITY},
    {IDD_PAGE_MARKS, IDS_HEADER_MARKS},
    {IDD_PAGE_OPTIONS, IDS_HEADER_OPTIONS},
    {IDD_PAGE_DATABASE, IDS_HEADER_DATABASE},
    {IDD_PAGE_FIELDS, IDS_HEADER_FIELDS},
    {IDD_PAGE_CREATE, IDS_HEADER_CREATE},
    {IDD_PAGE_ERRORS, IDS_HEADER_ERRORS},
    {IDD_PAGE_FINISH, 0},
};

DialogItem Label(const char* text, short x, short y, short cx, short cy = 10)
{
    return {"Static", text, IDC_STATIC, kVisible | SS_LEFT, 0, x, y, cx, cy};
}
DialogItem Edit(int id, short x, short y, short cx, DWORD style = 0)
{
    return {"Edit", "", id, kTab | style, 0, x, y, cx, 14};
}
DialogItem Button(const char* text, int id, short x, short y, short cx, DWORD style = 0)
{
    return {"Button", text, id, kTab | style, 0, x, y, cx, 14};
}
// Its text wraps onto as many lines as the box is high.
DialogItem CheckBox(const char* text, int id, short y)
{
    return {"Button", text, id, kTab | BS_AUTOCHECKBOX | BS_MULTILINE, 0, 20, y, 277, 26};
}
DialogItem List(int id, short y, short cy)
{
    return {"SysListView32", "", id, kTab | LVS_REPORT | LVS_SINGLESEL | LVS_SHOWSELALWAYS, 0, 20, y, 277, cy};
}

void Register(UINT id, const char* caption, std::initializer_list<DialogItem> items)
{
    DialogTemplate page;
    page.style = WS_CHILD;
    page.cx = kPageWidth;
    page.cy = kPageHeight;
    page.caption = caption;
    page.items.assign(items);
    RegisterDialogTemplate(AfxGetResourceHandle(), id, page);
}

void RegisterWelcomeAndFinish()
{
    Register(IDD_PAGE_WELCOME, "Creating a new Pollenta project",
             {{"Static", "Welcome!", IDC_WELCOME_TITLE, kVisible | SS_LEFT, 0, 115, 8, 190, 24},
              Label("This wizard makes a Pollenta survey project from an HTML page that holds a form: it checks the "
                    "page, links the project with a database table for the answers and creates the project.",
                    115, 40, 190, 50),
              Label("Support:", 115, 100, 50, 10),
              {"Static", "", IDC_SUPPORT_LINK, kVisible | SS_LEFT | SS_NOTIFY, 0, 170, 100, 135, 10},
              Label("On the web:", 115, 112, 50, 10),
              {"Static", "", IDC_SITE_LINK, kVisible | SS_LEFT | SS_NOTIFY, 0, 170, 112, 135, 10},
              Label("Version:", 115, 128, 50, 10),
              {"Static", "", IDC_VERSION, kVisible | SS_LEFT, 0, 170, 128, 135, 10}});
    Register(IDD_PAGE_FINISH, "Creating a new Pollenta project (Finish)",
             {{"Static", "Finish", IDC_FINISH_TITLE, kVisible | SS_LEFT, 0, 115, 8, 190, 24},
              Label("The Pollenta project has been created. Click Finish to close the wizard.", 115, 40, 190, 30)});
}

void RegisterFirstSteps()
{
    Register(IDD_PAGE_SOURCE, "Creating a new Pollenta project (Step 1)",
             {Label("HTML-page with the survey form:", 20, 6, 277),
              Edit(IDC_SOURCE_PATH, 20, 20, 220), Button("Browse...", IDC_BROWSE, 247, 20, 50)});
    Register(IDD_PAGE_CHECK, "Creating a new Pollenta project (Errors)",
             {Label("The check of the HTML-page found:", 20, 2, 277), List(IDC_CHECK_ERRORS, 14, 124)});
    Register(IDD_PAGE_IDENTITY, "Creating a new Pollenta project (Step 2)",
             {Label("Project name:", 20, 8, 112), Edit(IDC_PROJECT_NAME, 135, 6, 162),
              Label("E-mail address for answers:", 20, 30, 112), Edit(IDC_EMAIL, 135, 28, 162),
              Label("Subject of answers:", 20, 52, 112), Edit(IDC_SUBJECT, 135, 50, 162)});
    Register(IDD_PAGE_MARKS, "Creating a new Pollenta project (Step 3)",
             {Label("Mark for successfully processed messages:", 20, 8, 170),
              Edit(IDC_SUCCESS_MARK, 195, 6, 102),
              Label("Mark for messages processed with errors:", 20, 30, 170),
              Edit(IDC_FAILED_MARK, 195, 28, 102)});
    Register(IDD_PAGE_OPTIONS, "Creating a new Pollenta project (Step 4)",
             {CheckBox("Insert a field for collecting survey recipient addresses into the form  (the text field "
                       "RecipientEmail will be added to the database table)",
                       IDC_COLLECT_RECIPIENTS, 2),
              CheckBox("Collect e-mail addresses of the respondents who have answered the survey (the text field "
                       "SenderEmail will be added to the database table)",
                       IDC_COLLECT_SENDERS, 31),
              Label("Encoding of the survey page:", 20, 64, 112),
              {"ComboBox", "", IDC_CODE_PAGES, kTab | CBS_DROPDOWNLIST | WS_VSCROLL, 0, 135, 62, 162, 14}});
}

void RegisterDatabaseSteps()
{
    Register(IDD_PAGE_DATABASE, "Creating a new Pollenta project (Step 5)",
             {Label("Connection string:", 20, 6, 277), Edit(IDC_CONNECTION, 20, 18, 277, ES_READONLY),
              Button("Choose the data source...", IDC_CHOOSE_SOURCE, 197, 36, 100),
              Label("New table name:", 20, 62, 277), Edit(IDC_TABLE_NAME, 20, 74, 170),
              Button("Check table name...", IDC_CHECK_TABLE, 197, 74, 100)});
    Register(IDD_PAGE_FIELDS, "Creating a new Pollenta project (Step 6)",
             {{WC_FLEXGRID, "", IDC_FIELDS_GRID, kTab, 0, 20, 2, 277, 120},
              Label("* - some databases may not support these field types.", 20, 128, 277)});
    Register(IDD_PAGE_CREATE, "Creating a new Pollenta project (Step 7)",
             {Label("The wizard is ready to create the project. Click Next to create it.", 20, 6, 277, 20),
              Button("Edit SQL-request for table creation", IDC_EDIT_SQL, 20, 34, 150)});
    Register(IDD_PAGE_ERRORS, "Creating a new Pollenta project (Errors)",
             {List(IDC_CREATION_ERRORS, 2, 110),
              Button("Edit SQL-request for table creation", IDC_EDIT_SQL, 20, 118, 150, WS_DISABLED),
              Button("Retry", IDC_RETRY, 247, 118, 50, WS_DISABLED)});
}

}  // namespace

UINT PageHeaderTitleId(UINT dialogId)
{
    for (const PageHeader& header : kHeaders)
        if (header.dialogId == dialogId)
            return header.titleId;
    return 0;
}

void RegisterPlandrelDialogs()
{
    RegisterWelcomeAndFinish();
    RegisterFirstSteps();
    RegisterDatabaseSteps();
}
