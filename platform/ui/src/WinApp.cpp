#include "ui/WinApp.h"
#include "win/Registry.h"

#include <cstring>
#include <vector>

namespace {
CWinApp* g_app = nullptr;
}

CWinApp::CWinApp(LPCSTR appName) : m_strAppName(appName ? appName : ""), m_pPrevious(g_app) { g_app = this; }

CWinApp::~CWinApp()
{
    if (g_app == this)
        g_app = m_pPrevious;
}

CWinApp* AfxGetApp() { return g_app; }

LPCSTR AfxGetAppName() { return g_app ? g_app->GetAppName().c_str() : ""; }

std::string CWinApp::SectionKey(LPCSTR section) const
{
    std::string key = "Software\\";
    if (!m_strRegistryKey.empty())
        key += m_strRegistryKey + "\\";
    return key + m_strAppName + "\\" + section;
}

BOOL CWinApp::WriteProfileString(LPCSTR section, LPCSTR entry, LPCSTR value)
{
    if (!section || !*section || !entry || !value || m_strAppName.empty())
        return FALSE;
    HKEY key = nullptr;
    if (RegCreateKeyEx(HKEY_CURRENT_USER, SectionKey(section).c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_WRITE,
                       nullptr, &key, nullptr) != ERROR_SUCCESS)
        return FALSE;
    LONG result = RegSetValueEx(key, entry, 0, REG_SZ, reinterpret_cast<const BYTE*>(value),
                                static_cast<DWORD>(std::strlen(value) + 1));
    RegCloseKey(key);
    return result == ERROR_SUCCESS;
}

std::string CWinApp::GetProfileString(LPCSTR section, LPCSTR entry, LPCSTR defaultValue)
{
    std::string fallback = defaultValue ? defaultValue : "";
    if (!section || !entry || m_strAppName.empty())
        return fallback;
    HKEY key = nullptr;
    if (RegOpenKeyEx(HKEY_CURRENT_USER, SectionKey(section).c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS)
        return fallback;
    DWORD type = 0;
    DWORD size = 0;
    std::string text = fallback;
    if (RegQueryValueEx(key, entry, nullptr, &type, nullptr, &size) == ERROR_SUCCESS && type == REG_SZ) {
        std::vector<char> buffer(size + 1, '\0');
        if (RegQueryValueEx(key, entry, nullptr, &type, reinterpret_cast<LPBYTE>(buffer.data()), &size) == ERROR_SUCCESS)
            text = buffer.data();
    }
    RegCloseKey(key);
    return text;
}
