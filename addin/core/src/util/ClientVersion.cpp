#include "util/ClientVersion.h"

#include "settings/RegistryKey.h"

#include "com/Activation.h"
#include "com/ComBstr.h"
#include "com/Text.h"
#include "win/SystemInfo.h"
#include "win/Version.h"

#include <vector>

namespace {

constexpr DWORD kVersionInfoLimit = 10000;
constexpr const char* kDefaultClientVersion = "10.0.0.2627";

// "11.0.8169" gives "11.0": the text up to its second ".".
std::string MajorMinor(const std::string& version)
{
    const std::size_t first = version.find('.');
    if (first == std::string::npos)
        return version;
    return version.substr(0, version.find('.', first + 1));
}

std::string ClientVersion(_Application* application)
{
    CComBSTR version;
    if (application && SUCCEEDED(application->get_Version(&version)) && version.Length() > 0)
        return pollenta::com::AnsiFromBstr(version);
    return kDefaultClientVersion;
}

}  // namespace

DWORD GetModuleFileVersion(const char* path)
{
    if (!path || !*path)
        return 0;
    DWORD handle = 0;
    const DWORD size = GetFileVersionInfoSize(path, &handle);
    if (size == 0 || size > kVersionInfoLimit)
        return 0;
    std::vector<BYTE> data(kVersionInfoLimit, 0);
    if (!GetFileVersionInfo(path, handle, kVersionInfoLimit, data.data()))
        return 0;
    LPVOID value = nullptr;
    UINT length = 0;
    if (!VerQueryValue(data.data(), "\\", &value, &length) || !value || length < sizeof(VS_FIXEDFILEINFO))
        return 0;
    return static_cast<const VS_FIXEDFILEINFO*>(value)->dwFileVersionMS;
}

BOOL IsThemedWindowsVersion()
{
    OSVERSIONINFO info{};
    info.dwOSVersionInfoSize = sizeof info;
    if (!GetVersionEx(&info))
        return FALSE;
    return info.dwMajorVersion > 4 && info.dwMinorVersion != 0;
}

std::string GetOutlookExePath()
{
    CLSID clsid = GUID_NULL;
    if (FAILED(CLSIDFromProgID(u"Outlook.Application", &clsid)))
        return "";
    const std::string keyPath = "CLSID\\" + pollenta::com::GuidToString(clsid) + "\\LocalServer32";
    RegistryKey key;
    if (key.Open(HKEY_CLASSES_ROOT, keyPath, KEY_QUERY_VALUE) != ERROR_SUCCESS)
        return "";
    std::string path;
    if (key.ReadText("", path) != ERROR_SUCCESS)
        return "";
    return path;
}

HRESULT IsWordMailEditor(_Application* application, WordMailEditor& answer)
{
    const std::string majorMinor = MajorMinor(ClientVersion(application));
    if (majorMinor == "9.0")
        answer.isWord = FALSE;
    RegistryKey key;
    if (key.Open(HKEY_CURRENT_USER, "Software\\Microsoft\\Office\\" + majorMinor + "\\Outlook\\Options\\Mail",
                 KEY_READ) != ERROR_SUCCESS)
        return S_OK;
    DWORD preference = 0;
    if (key.ReadNumber("EditorPreference", preference) != ERROR_SUCCESS)
        return E_FAIL;
    answer.isWord = LOWORD(preference) == 1;
    switch (HIWORD(preference)) {
    case 1:
        answer.format = 2;
        break;
    case 2:
        answer.format = 0;
        break;
    case 3:
        answer.format = 1;
        break;
    default:
        break;
    }
    return S_OK;
}
