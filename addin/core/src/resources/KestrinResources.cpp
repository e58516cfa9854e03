#include "resources/KestrinResources.h"

#include "win/Module.h"
#include "win/Resources.h"
#include "win/Version.h"

#include <vector>

namespace {

constexpr LANGID kUsEnglish = 1033;

const StringResource kStrings[] = {
    {IDS_PRODUCT_CAPTION, "Pollenta"},
    {IDS_ABOUT, "About Pollenta..."},
    {IDS_HOME_PAGE_CAPTION, "Internet Homepage"},
    {IDS_HELP, "Help"},
    {IDS_CREATE_SURVEY, "Create survey..."},
    {IDS_SEND_SURVEY, "Send survey"},
    {IDS_SEND_CANCELLED, "Sending cancelled by the user."},
    {IDS_SEND_UNRESOLVED, "One or more e-mail addresses were not recognized."},
    {IDS_SEND_NO_RECIPIENTS, "At least one recipient should be entered in the \"To\" field."},
    {IDS_SEND_ALL_EXCLUDED, "All the recipients were exluded on the distribution list opening. No messages sent."},
    {IDS_SEND_EMPTY_LISTS,
     "None of the distribution lists in the \"To\" field contains any recipients (lists which names begin with "
     "\"exclude\" don't count)."},
    {IDS_SEND_UNKNOWN, "Unknown error occured while sending."},
    {IDS_LOG_FIELDS, "time profile status description"},
    {IDS_FLAG_TEXT, "Survey data added successfully"},
    {IDS_FLAG_TEXT_FAILED, "Survey data not added successfully"},
    {IDS_VALUE_NOT_TEXT, "The value is not text in the charset of the answer"},
    {IDS_VALUE_NOT_ANSI, "The value has characters that the ANSI code page cannot hold"},
    {IDS_VIEW_LOGS, "View the logs..."},
    {IDS_NO_WORD_EDITOR,
     "Pollenta cannot use Microsoft Word as message editor.\nUse Microsoft Outlook message editor to "
     "continue. (\"Tools\" - \"Options...\" - \"Mail Format\" tab)"},
    {IDS_NO_PROJECTS, "Not a project created yet.\nClick Help button for additional information."},
    {IDS_DELETE_PROJECT, "Are you sure you want to delete the selected project?"},
    {IDS_HOME_PAGE, "http://www.velquin.com/pollenta/"},
    {IDS_SUPPORT_PAGE, "http://www.velquin.com/pollenta/support.html?from=addin"},
    {IDS_HELP_FILE, "Pollenta.chm"},
    {IDS_USE_SEND_SURVEY,
     "This is a survey message. Send it with the \"Send survey\" button, which sends every recipient a copy of "
     "their own; the message stays open."},
};

// The log's events, as a message compiler source writes them.
const MessageResource kMessages[] = {
    {0x200022B1, kUsEnglish, "COM Add-In launch..."},
    {0x200022B2, kUsEnglish, "COM Add-In launch successfully completed"},
    {0x200022B3, kUsEnglish, "COM Add-In shutdown..."},
    {0x200022B4, kUsEnglish, "COM Add-In shutdown successfully completed"},
    {0x200022BF, kUsEnglish, "New message processing process launch..."},
    {0x200022C0, kUsEnglish, "All the new message processing proceses have been launched"},
    {0x200022C1, kUsEnglish, "New message processing process shutdown..."},
    {0x200022C2, kUsEnglish, "All the new message processing proceses have been successfully shutdowned"},
    {0x200022C9, kUsEnglish, "Survey data sucessfully added to the survey result database (Sender: %1; Project # %2)"},
    {0x600022CB, kUsEnglish, "Debug Message: %1"},
    {0xE00022AF, kUsEnglish, "MAPI error: The \"%1\" function has returned the error code %2"},
    {0xE00022B0, kUsEnglish, "Outlook Object Model: The \"%1\" function has returned the error code %2"},
    {0xE00022B5, kUsEnglish, "Fatal error while connecting to Microsoft Outlook"},
    {0xE00022B6, kUsEnglish, "Error of MAPI provider connection"},
    {0xE00022B7, kUsEnglish, "Waiting time for MAPI provider connection has expired"},
    {0xE00022B8, kUsEnglish, "MAPI provider connection cancelled by user"},
    {0xE00022B9, kUsEnglish,
     "Subscription to the events of the storage \"%1\" failed. Probably the storage contains public folders "
     "operation with which is not supported by the current COM-addon version"},
    {0xE00022BA, kUsEnglish, "Unknown error"},
    {0xE00022BB, kUsEnglish, "Error while subscribing to Microsoft Outlook event"},
    {0xE00022BC, kUsEnglish, "Fatal error wihle loading COM Add-In setting"},
    {0xE00022BD, kUsEnglish, "Fatal error while loading the Pollenta project properties"},
    {0xE00022BE, kUsEnglish, "Error while creating buttons and menu in Microsoft Outlook"},
    {0xE00022C3, kUsEnglish, "Stream %1 initialization error"},
    {0xE00022C4, kUsEnglish, "Property (%2) requested from the interface \"%1\" is not available"},
    {0xE00022C5, kUsEnglish, "Fatal error while creating object \"%1\""},
    {0xE00022C6, kUsEnglish, "Fatal error while processing attachment to the message with survey results (Sender %1)"},
    {0xE00022C7, kUsEnglish,
     "Fatal error while preparing data for adding to the survey result database (Sender: %1; Project # %2)"},
    {0xE00022C8, kUsEnglish,
     "Fatal error while adding data to the survey result database (Sender: %1; Project # %2)%3"},
    {0xE00022CA, kUsEnglish,
     "Warning while adding survey data (Sender: %1; Project \u2116 %2): Field: %3; Value: %4; Error: %5"},
    {0xE00022CC, kUsEnglish, "Fatal error wile creating the survey message"},
    {0xE00022CD, kUsEnglish, "Fatal error while creating the list of files to be attached to the survey"},
    {0xE00022CE, kUsEnglish,
     "Error while opening HTML file with contents of survey (%1). Probably the file has been deleted or moved."},
    {0xE00022CF, kUsEnglish, "Fatal error while processing HTML file with survey content"},
    {0xE00022D0, kUsEnglish, "Fatal error while creating message attachments"},
    {0xE00022D1, kUsEnglish, "Project deleting error"},
    {0xE00022D2, kUsEnglish, "Project folder path retrieving error"},
    {0xE00022D6, kUsEnglish, "Error while retrieving MAPI session (%1)."},
    {0xE00022D7, kUsEnglish, "Error while modifying message."},
    {0xE00022D8, kUsEnglish,
     "The folder record \"%1\" under \"HKEY_CURRENT_USER\\%2\" is damaged and was skipped; it stays in the "
     "registry as it is until a new folder list is applied in the add-in's options"},
    {0xE00022D9, kUsEnglish, "Survey answers are not being collected: %1"},
};

const ResourceTables kTables(kStrings, kMessages);

const VersionString kVersionStrings[] = {
    {"ProductName", "Pollenta"},
    {"FileVersion", "1.4.0, released on November 10, 2006"},
    {"ProductVersion", "1.4.0"},
};
const VersionResource kVersion(MAKELONG(4, 1), MAKELONG(0, 0), "040904B0", kVersionStrings);

}  // namespace

HMODULE KestrinModule()
{
    HMODULE module = nullptr;
    GetModuleHandleEx(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                      reinterpret_cast<LPCSTR>(&kTables), &module);
    return module;
}

std::string KestrinModulePath()
{
    std::vector<char> path(4096);
    const DWORD length = GetModuleFileName(KestrinModule(), path.data(), static_cast<DWORD>(path.size()));
    return length && length < path.size() ? std::string(path.data(), length) : std::string();
}

std::string KestrinModuleFolder()
{
    const std::string file = KestrinModulePath();
    const std::size_t slash = file.find_last_of('/');
    return slash == std::string::npos ? "" : file.substr(0, slash + 1);
}

std::string KestrinString(UINT id)
{
    char text[1024];
    const int length = LoadString(KestrinModule(), id, text, sizeof text);
    return std::string(text, length > 0 ? length : 0);
}

std::optional<std::string> KestrinVersionString(const char* name)
{
    const std::string path = KestrinModulePath();
    DWORD handle = 0;
    const DWORD size = path.empty() ? 0 : GetFileVersionInfoSize(path.c_str(), &handle);
    std::vector<BYTE> block(size);
    if (size == 0 || !GetFileVersionInfo(path.c_str(), handle, size, block.data()))
        return std::string();
    LPVOID value = nullptr;
    UINT length = 0;
    const std::string query = std::string("\\StringFileInfo\\040904B0\\") + name;
    if (!VerQueryValue(block.data(), query.c_str(), &value, &length) || !value)
        return std::nullopt;
    return std::string(static_cast<const char*>(value));
}
