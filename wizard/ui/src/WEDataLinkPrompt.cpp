#include "wizardui/WEDataLinkPrompt.h"

#include "ui/FileDialog.h"

#include <sqlite3.h>

#include <vector>

namespace {

const char kFilter[] = "SQLite databases (*.db;*.sqlite;*.sqlite3)\0*.db;*.sqlite;*.sqlite3\0All files\0*\0";

// Opening with CREATE makes the file when it is missing and leaves an
// existing database as it is; a file that is not a database fails here
// rather than later on the fields page.
bool EnsureDatabase(const std::string& path, std::string& error)
{
    sqlite3* db = nullptr;
    int rc = sqlite3_open_v2(path.c_str(), &db, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr);
    if (rc == SQLITE_OK)
        rc = sqlite3_exec(db, "PRAGMA schema_version", nullptr, nullptr, nullptr);
    if (rc != SQLITE_OK)
        error = "The database \"" + path + "\" cannot be used: " + (db ? sqlite3_errmsg(db) : sqlite3_errstr(rc));
    sqlite3_close(db);
    return rc == SQLITE_OK;
}

} // namespace

std::string DataLinkFor(const std::string& path) { return "Provider=SQLite;Data Source=" + path; }

bool PromptDataLink(HWND owner, std::string& connectionString, std::string& error)
{
    error.clear();
    std::vector<char> file(4096, '\0');
    OPENFILENAME request;
    request.hwndOwner = owner;
    request.lpstrFilter = kFilter;
    request.lpstrFile = file.data();
    request.nMaxFile = static_cast<DWORD>(file.size());
    request.lpstrTitle = WE_DATALINK_TITLE;
    request.Flags = OFN_HIDEREADONLY | OFN_PATHMUSTEXIST;
    request.lpstrDefExt = "db";
    if (!GetSaveFileName(&request))
        return false;
    std::string path = file.data();
    if (!EnsureDatabase(path, error))
        return false;
    connectionString = DataLinkFor(path);
    return true;
}
