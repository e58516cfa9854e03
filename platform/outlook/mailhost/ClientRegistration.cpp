#include "ClientRegistration.h"

#include "win/Registry.h"

#include <cstdio>

namespace mailhost {

namespace {

constexpr const char* kClientClsid = "{0006F03A-0000-0000-C000-000000000046}";

LONG SetDefault(const std::string& keyPath, const std::string& value)
{
    HKEY key = nullptr;
    LONG result =
        RegCreateKeyEx(HKEY_CURRENT_USER, keyPath.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr);
    if (result != ERROR_SUCCESS)
        return result;
    result = RegSetValueEx(key, "", 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                           static_cast<DWORD>(value.size() + 1));
    RegCloseKey(key);
    return result;
}

}  // namespace

HRESULT RegisterClientClass(const std::string& programPath)
{
    const std::string classes = "Software\\Classes\\";
    const std::string clsidKey = classes + "CLSID\\" + kClientClsid;
    const LONG results[] = {
        SetDefault(classes + "Outlook.Application", "Mail Host application"),
        SetDefault(classes + "Outlook.Application\\CLSID", kClientClsid),
        SetDefault(clsidKey, "Mail Host application"),
        SetDefault(clsidKey + "\\LocalServer32", programPath),
    };
    for (LONG result : results)
        if (result != ERROR_SUCCESS)
            return HRESULT_FROM_WIN32(static_cast<DWORD>(result));
    return S_OK;
}

bool ParseClientVersion(const std::string& version, DWORD& mostSignificant, DWORD& leastSignificant)
{
    unsigned parts[4] = {0, 0, 0, 0};
    int consumed = 0;
    const int count =
        std::sscanf(version.c_str(), "%u.%u.%u.%u%n", &parts[0], &parts[1], &parts[2], &parts[3], &consumed);
    if (count < 2)
        return false;
    for (unsigned part : parts)
        if (part > 0xFFFF)
            return false;
    mostSignificant = (parts[0] << 16) | parts[1];
    leastSignificant = (parts[2] << 16) | parts[3];
    return true;
}

}  // namespace mailhost
