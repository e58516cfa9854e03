#pragma once
// The application object: its name (the caption of its message boxes) and
// its profile, the settings it keeps in the registry under
// HKEY_CURRENT_USER\Software\<registry key>\<application name>\<section>
// (without a registry key: Software\<application name>\<section>).

#include "win/Types.h"

#include <string>

class CWinApp {
public:
    explicit CWinApp(LPCSTR appName);
    CWinApp(const CWinApp&) = delete;
    CWinApp& operator=(const CWinApp&) = delete;
    virtual ~CWinApp();

    const std::string& GetAppName() const { return m_strAppName; }
    void SetRegistryKey(LPCSTR company) { m_strRegistryKey = company ? company : ""; }

    BOOL WriteProfileString(LPCSTR section, LPCSTR entry, LPCSTR value);
    // The stored text, or `defaultValue` when there is none.
    std::string GetProfileString(LPCSTR section, LPCSTR entry, LPCSTR defaultValue = "");

private:
    std::string SectionKey(LPCSTR section) const;

    std::string m_strAppName;
    std::string m_strRegistryKey;
    CWinApp* m_pPrevious = nullptr;
};

// The application object made last and still alive, or null.
CWinApp* AfxGetApp();
// Its name, or an empty text without one.
LPCSTR AfxGetAppName();
