#include "resources/SettingsTexts.h"

#include "resources/KestrinResources.h"

#include "win/Resources.h"

namespace {

const StringResource kStrings[] = {
    {IDS_ACTION_LEAVE, "Leave unchanged"},
    {IDS_ACTION_MOVE, "Move to folder..."},
    {IDS_ACTION_DELETE, "Delete"},
    {IDS_LOG_FOLDER_TITLE, "Path to the folder on the disc the log files to be saved into:"},
    {IDS_LOG_FILE_NAME, "File name"},
    {IDS_LOG_CREATED, "Created"},
    {IDS_LOG_LIST_EMPTY, "The log list is empty"},
    {IDS_LOG_NOT_FOUND, "Log file not found.\nProbably it has been deleted or moved."},
    {IDS_ACTION_FLAG, "Mark with the flag"},
    {IDS_ACTION_EXPIRE, "Mark as expired"},
    {IDS_KEEP_DAYS_RANGE, "Enter a number of days from 1 to 3650."},
    {IDS_APPLY_BUSY,
     "The settings could not be applied because answers are being processed right now.\nPlease try again in a "
     "moment: your changes are still on the page."},
};

const ResourceTables kTables(kStrings);

} // namespace

// Lives beside the table, so that a program that asks for a text also
// links the table in.
std::string SettingsString(UINT id) { return KestrinString(id); }
