#include "outlook/EditorPreference.h"

#include "OutlookGuids.h"

#include "win/Registry.h"

namespace pollenta::outlook {

namespace {

std::string MailOptionsKey(const std::string& version)
{
    const std::size_t first = version.find('.');
    const std::string majorMinor =
        first == std::string::npos ? version : version.substr(0, version.find('.', first + 1));
    return "Software\\Microsoft\\Office\\" + majorMinor + "\\Outlook\\Options\\Mail";
}

}  // namespace

DWORD ReadEditorPreference(const std::string& version, DWORD fallback)
{
    HKEY key = nullptr;
    if (RegOpenKeyEx(HKEY_CURRENT_USER, MailOptionsKey(version).c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS)
        return fallback;
    DWORD type = 0;
    DWORD value = 0;
    DWORD size = sizeof value;
    const LONG result =
        RegQueryValueEx(key, "EditorPreference", nullptr, &type, reinterpret_cast<LPBYTE>(&value), &size);
    RegCloseKey(key);
    return result == ERROR_SUCCESS && type == REG_DWORD ? value : fallback;
}

LONG EnsureEditorPreference(const std::string& version)
{
    HKEY key = nullptr;
    LONG result = RegCreateKeyEx(HKEY_CURRENT_USER, MailOptionsKey(version).c_str(), 0, nullptr, 0, KEY_ALL_ACCESS,
                                 nullptr, &key, nullptr);
    if (result != ERROR_SUCCESS)
        return result;
    DWORD type = 0;
    if (RegQueryValueEx(key, "EditorPreference", nullptr, &type, nullptr, nullptr) != ERROR_SUCCESS) {
        const DWORD value = kOwnHtmlEditor;
        result =
            RegSetValueEx(key, "EditorPreference", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value), sizeof value);
    }
    RegCloseKey(key);
    return result;
}

LONG EditorTypeOf(DWORD preference)
{
    if (LOWORD(preference) == 1)
        return olEditorWord;
    switch (HIWORD(preference)) {
    case 1:
        return olEditorText;
    case 3:
        return olEditorRTF;
    default:
        return olEditorHTML;
    }
}

}  // namespace pollenta::outlook
