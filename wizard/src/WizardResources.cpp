// The wizard's texts and version, compiled into the program that links the
// wizard. LoadWizardString is the one way in, so that every program that
// uses a wizard text also carries the tables.

#include "WizardResources.h"

#include "wizard/WizardIds.h"

#include "win/Module.h"
#include "win/Resources.h"
#include "win/Version.h"

namespace {

constexpr LANGID kUsEnglish = 1033;

const StringResource kStrings[] = {
    {IDS_WIZARD_CAPTION, "Pollenta Project Generator"},
    {IDS_FATAL_ERROR, "Fatal error"},
    {IDS_SUCCESS, "Success"},
    {IDS_WARNING, "Warning"},
    {IDS_INFORMATION, "Information"},
    {IDS_FIELD_PATTERN, "Field%03i"},
    {IDS_TYPE_CHARACTER, "Character"},
    {IDS_TYPE_NUMERIC, "Numeric"},
    {IDS_TYPE_BLOB, "BLOB*"},
    {IDS_TYPE_TEXT, "Text*"},
    {IDS_WEB_ADDRESS, "https://www.velquin.example/pollenta"},
};

const MessageResource kMessages[] = {
    {WE_S_OK, kUsEnglish, "Operation completed successfully"},
    {WE_E_UNKNOWN, kUsEnglish, "Unknown Error"},
    {WE_E_UNEXPECTED, kUsEnglish, "Unexpected Error"},
    {WE_E_UNEXPECTED_AT, kUsEnglish, "Unexpected Error\r\n\r\nFile: %1;\r\nLine: %2"},
    {WE_E_COM_CALL, kUsEnglish,
     "COM-method invocation error\r\n\r\nError: %1;\r\nDescription: %2;\r\nFile: %3;\r\nLine: %4"},
    {WE_E_HTML_INIT, kUsEnglish, "Microsoft HTML initialization error"},
    {WE_E_FILE_NOT_FOUND, kUsEnglish, "File %1 not found"},
    {WE_E_FILE_SAVE, kUsEnglish, "File %1 saving error"},
    {WE_E_MSHTML, kUsEnglish, "MSHTML error: Code: %1: Description: %2"},
    {WE_W_MSHTML, kUsEnglish, "MSHTML warning: Code: %1: Description: %2"},
    {WE_E_NO_PATH, kUsEnglish, "Path to the HTML-page not specified"},
    {WE_E_NO_FORMS, kUsEnglish, "No forms found on the HTML-page"},
    {WE_E_MANY_FORMS, kUsEnglish, "HTML-page designed for the survey cannot contain more than one form"},
    {WE_W_NO_ELEMENT, kUsEnglish, "Failed to get one of the form elements"},
    {WE_W_INPUT_NAME, kUsEnglish,
     "No name (NAME) set for any of the <INPUT> type form elements. The name will be generated automatically "
     "(e.g.: Field001, Field002 etc.)"},
    {WE_W_SELECT_NAME, kUsEnglish,
     "No name (NAME) set for any of the <SELECT> type form elements. The name will be generated automatically "
     "(e.g.: Field001, Field002 etc.)"},
    {WE_W_TEXTAREA_NAME, kUsEnglish,
     "No name (NAME) set for any of the <TEXTAREA> type form elements. The name will be generated automatically "
     "(e.g.: Field001, Field002 etc.)"},
    {WE_W_DUPLICATE_NAME, kUsEnglish, "The name (NAME = %1) of the form element is duplicated."},
    {WE_W_SELECT_MULTIPLE, kUsEnglish,
     "The MULTIPLE type is set for the <SELECT> (%1) form element. This type is not supported by the current "
     "Pollenta version."},
    {WE_W_EMPTY_OPTION, kUsEnglish,
     "No text and no VALUE field set for one of the <OPTION> type form elements in the <SELECT> (%1) tag."},
    {WE_W_NO_OPTIONS, kUsEnglish, "The <SELECT> (%1) element has no control elements."},
    {WE_E_NO_CONTROLS, kUsEnglish, "No control elements found in the survey form."},
    {WE_W_SUBMIT_NAME, kUsEnglish,
     "The name of the SUBMIT is deleted. This is necessary for correct processing of the survey results."},
    {WE_W_RESET_NAME, kUsEnglish,
     "The name of the RESET is deleted. This is necessary for correct processing of the survey results."},
    {WE_E_NO_SUBMIT, kUsEnglish, "The survey form has no SUBMIT button."},
    {WE_E_PICTURE_MISSING, kUsEnglish, "File with the picture (%1) not found."},
    {WE_E_CREATE_OBJECT, kUsEnglish, "Fatal error while creating the \"%1\" object."},
    {WE_E_PROJECT_LIST, kUsEnglish, "Error while getting the list of created projects."},
    {WE_E_PROJECT_EXISTS, kUsEnglish, "Project with this name already exists."},
    {WE_E_MULTILANGUAGE, kUsEnglish, "MultiLanguage object creation failed."},
    {WE_E_METHOD_CALL, kUsEnglish, "%1 method invocation error."},
    {WE_E_RENAME, kUsEnglish, "Form element name renewal error."},
    {WE_E_CREATE_PROJECT, kUsEnglish, "Error while creating project with Hubberly."},
    {WE_E_PAGE_SAVE, kUsEnglish, "HTML-page saving error."},
    {WE_E_CREATE_TABLE, kUsEnglish, "Error while creating table in database."},
    {WE_E_FINALIZE, kUsEnglish, "Error in the final phase of the project creation."},
    {WE_E_PROJECT_DIR, kUsEnglish, "Error while getting the project folder path with Hubberly."},
    {WE_E_PROJECT_DIR_MISSING, kUsEnglish,
     "Error while getting the project folder path with Hubberly. Folder (%1) doesn't exist."},
    {WE_E_SET_PROPERTY, kUsEnglish,
     "Error while saving the project settings with Hubberly. Setting name: %1. Value: %2."},
    {WE_E_FILE_COPY, kUsEnglish, "File copying error. Code: %1. Description %2. Source: %3. Destination: %4."},
    {WE_W_TABLE_NAME, kUsEnglish,
     "The new table name you've entered contain symbols that may not be supported by some databases.\r\n\r\n"
     "Use the name entered?"},
    {WE_E_SQL, kUsEnglish,
     "Error while performing the SQL-request for table creation. Code: %1. Description: %2. To modify the "
     "SQL-request you may click the \"Edit SQL-request for table creation\" button."},
    {WE_E_DB_CONNECT, kUsEnglish, "Database connection error.\r\n\r\nError: %1;\r\nDescription: %2."},
    {WE_E_SQL_NO_TABLE, kUsEnglish,
     "The name of the \"%1\" table is missing in the modified SQL-request for table creation."},
    {WE_E_SQL_NO_FIELD, kUsEnglish,
     "The name of the \"%1\" field is missing in the modified SQL-request for table creation."},
    {WE_E_NOT_A_PICTURE, kUsEnglish, "The file %1, which the HTML-page shows as a picture, is not a picture."},
    {WE_E_NAMES_DIFFER_IN_CASE, kUsEnglish,
     "The field names \"%1\" and \"%2\" name the same column: the database does not tell names apart by "
     "case. Give one of the fields another name."},
    {WE_E_EMPTY_FIELD_NAME, kUsEnglish, "The name of the \"%1\" field is empty. Every field needs a name."},
    {WE_W_FORM_ENCODING, kUsEnglish,
     "The survey form sends its answers as %1, which Pollenta cannot read. The form will send them URL-encoded "
     "(application/x-www-form-urlencoded)."},
};

const ResourceTables kTables(kStrings, kMessages);

const VersionString kVersionStrings[] = {
    {"ProductName", "Pollenta"},
    {"FileVersion", "1.0.0.0"},
    {"CompanyName", "Velquin Ltd"},
};
const VersionResource kVersion(MAKELONG(0, 1), MAKELONG(0, 0), "040904E4", kVersionStrings);

}  // namespace

std::string LoadWizardString(UINT id)
{
    char buffer[1024] = {};
    HMODULE own = nullptr;
    GetModuleHandleEx(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                      reinterpret_cast<LPCSTR>(&LoadWizardString), &own);
    const int length = LoadString(own, id, buffer, sizeof buffer);
    return std::string(buffer, length > 0 ? length : 0);
}
