#include "RegistryText.h"

#include <vector>

namespace pollenta::com {

bool ReadDefaultString(HKEY root, const std::string& subKey, std::string& value)
{
    HKEY key = nullptr;
    if (RegOpenKeyEx(root, subKey.c_str(), 0, KEY_QUERY_VALUE, &key) != ERROR_SUCCESS) return false;
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
    if (status != ERROR_SUCCESS || (type != REG_SZ && type != REG_EXPAND_SZ)) return false;
    value.assign(reinterpret_cast<const char*>(data.data()), size);
    while (!value.empty() && value.back() == '\0') value.pop_back();
    return true;
}

}  // namespace pollenta::com
