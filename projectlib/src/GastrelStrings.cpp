#include "GastrelStrings.h"

#include "ModuleDir.h"

#include "win/Resources.h"

namespace gastrel {
namespace {

// Longest text of the table with its NUL.
constexpr int kLongestString = 1000;

const StringResource kStrings[] = {
    {IDS_DEFAULT_EMAIL, "survey@example.com"},
    {IDS_LAUNCH_ERROR_CAPTION, "Program launching error"},
    {IDS_CREATE_PROCESS_ERROR, "Error code %i (CreateProcess)."},
    {IDS_ACCESS_ADDIN_NAME, "Pollenta Wizard"},
    {IDS_INSTALLATION_CAPTION, "Pollenta Installation"},
    {IDS_IMPORT_DETAILS, "Additional information:\r\n\r\n  Project: %s\r\n  Database:  %s\r\n  Form: %s\r\n  Switches: %s\r\n"},
    {IDS_EMPTY_TEXT, "<empty string>"},
    {IDS_IMPORT_WARNING_COUNT, "The number of warnings while generating HTML: %i."},
    {IDS_IMPORT_USAGE,
     "Invalid command line switches. The command line is: [/SILENT | /SILENTOK | /SILENTDP] <project name> "
     "<database> <form> [<name|type|value|>...]; a project name is at most 200 characters, a form name at most 100."},
    {IDS_IMPORT_DONE, "Project '%s' is succesfuly created."},
    {IDS_UNINSTALL_CAPTION, "Pollenta Uninstallation"},
    {IDS_UNINSTALL_QUESTION,
     "Do you want to save the Pollenta projects you've created?\r\n\r\nClick Yes to save the files. Click No if you "
     "want to remove them."},
    {1128, "Invalid command line switches"},
    {1129, "Project '%s' is succesfuly created."},
    {1130, "Pollenta installation is corrupted (0x%08x). Please, re-install the product."},
    {1131,
     "Unable to create Microsoft Access object (0x%08x). Probably, Microsoft Access is not installed or you have old "
     "Microsoft Access version."},
    {1132, "Unable to open database (0x%08x)."},
    {1133, "Pollenta can't create new project (0x%08x)."},
    {1134, "Pollenta project with this name is already exist."},
    {1135, "Error happen while working with MS Access (0x%08x)."},
    {1136, "Failed to open form in the design mode (0x%08x)."},
    {1137, "Failed to get the forms collection (0x%08x)."},
    {1138, "Failed to get access to the form (0x%08x)."},
    {1139, "Error while generation HTML code for the form (0x%08x)."},
    {1140, "Pollenta component error while generating HTML code for the form."},
    {1141, "Error while working with the Pollenta project (0x%08x)."},
    {IDS_IMPORT_UNKNOWN_RESULT, "Unknown error, result code is 0x%08x."},
    {IDS_DEFAULT_SUCCESS_MARK, "[OK]"},
    {IDS_DEFAULT_FAILED_MARK, "[FAIL]"},
    {IDS_DEFAULT_SUBJECT, "Survey results"},
    {IDS_DEFAULT_TEXT_BLOCK,
     "You mail client cannot display HTML.\r\nYou can fill the survey form online at http://www.example.com/survey/"},
    {IDS_DEFAULT_NO_EMPTY_SECTIONS, "1"},
    {IDS_DEFAULT_IS_SAMPLE, "0"},
    {IDS_DEFAULT_USE_SECTION_BACKGROUND, "1"},
    {IDS_DEFAULT_USE_TEXT_BLOCK, "0"},
    {IDS_DEFAULT_COLLECT_RECIPIENTS, "0"},
    {IDS_DEFAULT_COLLECT_SENDERS, "0"},
    {IDS_DEFAULT_VIEWER, "2"},
    {IDS_DEFAULT_FIX_RATIO, "1"},
    {IDS_DEFAULT_DEF_VALUES, "0"},
    {IDS_REGISTRATION_ERROR_CAPTION, "Registration error of Pollenta Wizard for Access"},
    {1203,
     "Microsoft Access 2000/XP/2003 registry section not found. Probably, another version of Microsoft Access is "
     "installed on your machine (1)."},
    {1204, "Unable to find kqWizard.mde (2)"},
    {1205,
     "Unable to create the key in the Microsoft Access section of the HKEY_LOCAL_MACHINE registry branch (3)."},
    {IDS_NO_BROWSER, "Unable to find executable file of Microsoft Internet Explorer."},
    {IDS_UNKNOWN_ERROR, "Unknown error, code %i."},
    {IDS_ERROR_TEXT_COUNT, "19"},
    {1300, "Specified project is not exist."},
    {1301,
     "The project is not complete. Click Finish in the Pollenta Wizard for Access dialogue to make the project "
     "usable."},
    {1302, "Project is corrupted, Pollenta can't work with this project."},
    {1303, "Failed to initialize ADO."},
    {1304, "Failed to open the database associated with the project."},
    {1305, "Failed to create a new entry in the table."},
    {1306, "Error while working with the table fields set."},
    {1307, "Failed to save the changes to the database."},
    {1308, "Failed to set the field value."},
    {1309, "Field is not found."},
    {1310, "Created record was not saved because the user violated integrity constraints (adRecIntegrityViolation)."},
    {1311,
     "Created record was not saved because optimistic concurrency was in use (adRecConcurrencyViolation)."},
    {1312, "Created record was not saved because its bookmark is invalid (adRecInvalid)."},
    {1313, "Created record was not saved because there were too many pending changes (adRecMaxChangesExceeded)."},
    {1314, "Created record was not saved because it would have affected multiple records (adRecMultipleChanges)."},
    {1315, "Created record was not saved because of a conflict with an open storage object (adRecObjectOpen)."},
    {1316, "Created record was not saved because the computer has run out of memory (adRecOutOfMemory)."},
    {1317, "Created record was not saved because the user has insufficient permissions (adRecPermissionDenied)."},
    {1318,
     "Created record was not saved because it violates the structure of the underlying database "
     "(adRecSchemaViolation)."},
    {IDS_RESULT_CODE, "\r\n\r\nResult code: %i"},
};

const ResourceTables kTables(kStrings);

}  // namespace

std::string LoadGastrelString(UINT id)
{
    char buffer[kLongestString];
    int length = LoadString(GastrelModuleHandle(), id, buffer, kLongestString);
    return std::string(buffer, length > 0 ? length : 0);
}

}  // namespace gastrel
