// Stands in for the mail add-in beside the library at uninstall: its
// ClearAllLogs leaves a mark in the log folder that the product key names,
// so that a test sees it ran, and ran while the key was still there.

#include "win/Registry.h"

#include <fstream>
#include <string>

extern "C" __attribute__((visibility("default"))) int ClearAllLogs()
{
    HKEY key = nullptr;
    if (RegOpenKeyEx(HKEY_CURRENT_USER, "SOFTWARE\\Velquin Ltd\\Pollenta", 0, KEY_READ, &key) != ERROR_SUCCESS)
        return 0;
    char folder[1000];
    DWORD size = sizeof folder;
    DWORD type = 0;
    if (RegQueryValueEx(key, "LogFolderPath", nullptr, &type, reinterpret_cast<BYTE*>(folder), &size) ==
            ERROR_SUCCESS &&
        type == REG_SZ)
        std::ofstream(std::string(folder) + "/logs-cleared");
    RegCloseKey(key);
    return 0;
}
