#include "util/ReadRegString.h"

#include <vector>

LONG ReadRegString(HKEY key, const char* name, std::string& text)
{
    DWORD type = 0;
    DWORD size = 0;
    LONG result = RegQueryValueEx(key, name, nullptr, &type, nullptr, &size);
    if (result != ERROR_SUCCESS)
        return result;
    if (type != REG_SZ && type != REG_EXPAND_SZ)
        return ERROR_INVALID_DATA;
    if (size == 0)
        return ERROR_SUCCESS;
    std::vector<char> buffer(size + 1, '\0');
    result = RegQueryValueEx(key, name, nullptr, &type, reinterpret_cast<LPBYTE>(buffer.data()), &size);
    if (result == ERROR_SUCCESS)
        text = buffer.data();
    return result;
}
