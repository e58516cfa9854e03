#include "RegistryText.h"

#include <vector>

namespace pollenta::com {

namespace {

ReadResult ResultOf(LONG status)
{
    return status == ERROR_FILE_NOT_FOUND || status == ERROR_PATH_NOT_FOUND ? ReadResult::Missing : ReadResult::Failed;
}

}  // namespace

ReadResult ReadDefaultString(HKEY root, const std::string& subKey, std::string& value)
{
    HKEY key = nullptr;
    const LONG opened = RegOpenKeyEx(root, subKey.c_str(), 0, KEY_QUERY_VALUE, &key);
    if (opened != ERROR_SUCCESS) return ResultOf(opened);
    DWORD type = REG_NONE;
    DWORD size = 0;
    LONG status = RegQueryValueEx(key, nullptr, nullptr, &type, nullptr, &size);
    std::vector<BYTE> data;
    // The value may grow between the two calls, when another process writes.
    while (status == ERROR_SUCCESS || status == ERROR_MORE_DATA) {
        data.resize(size + 1);
        DWORD capacity = size;
        status = RegQueryValueEx(key, nullptr, nullptr, &type, data.data(), &capacity);
        if (status == ERROR_SUCCESS) {
            size = capacity;
            break;
        }
        size = capacity;
    }
    RegCloseKey(key);
    if (status != ERROR_SUCCESS) return ResultOf(status);
    if (type != REG_SZ && type != REG_EXPAND_SZ) return ReadResult::Missing;
    value.assign(reinterpret_cast<const char*>(data.data()), size);
    while (!value.empty() && value.back() == '\0') value.pop_back();
    return ReadResult::Found;
}

}  // namespace pollenta::com
