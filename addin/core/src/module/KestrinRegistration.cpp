#include "module/KestrinRegistration.h"

#include "settings/RegistryKey.h"

#include "KestrinGuids.h"

#include "com/Registration.h"

using pollenta::com::GuidToString;

namespace {

constexpr const char* kTypeLibVersion = "1.0";

LONG SetText(const std::string& keyPath, const char* name, const std::string& text)
{
    RegistryKey key;
    const LONG result = key.Create(HKEY_CLASSES_ROOT, keyPath, KEY_WRITE);
    return result == ERROR_SUCCESS ? key.WriteText(name, text) : result;
}

std::string TypeLibKey()
{
    return "TypeLib\\" + GuidToString(LIBID_KestrinLib);
}

pollenta::com::ClassRegistration ConnectClass(const std::string& modulePath)
{
    pollenta::com::ClassRegistration connect;
    connect.clsid = CLSID_WEConnect;
    connect.progId = "Kestrin.WEConnect.1";
    connect.versionIndependentProgId = "Kestrin.WEConnect";
    connect.description = "WEConnect Class";
    connect.modulePath = modulePath;
    connect.typeLib = LIBID_KestrinLib;
    return connect;
}

// The keys of the class that the class helper does not write: it is
// programmable, and it names the module's AppID.
HRESULT RegisterConnectClass(const std::string& modulePath, const std::string& appId)
{
    if (HRESULT hr = pollenta::com::RegisterServerClass(ConnectClass(modulePath)); FAILED(hr))
        return hr;
    const std::string classKey = "CLSID\\" + GuidToString(CLSID_WEConnect);
    RegistryKey programmable;
    if (programmable.Create(HKEY_CLASSES_ROOT, classKey + "\\Programmable", KEY_WRITE) != ERROR_SUCCESS ||
        SetText(classKey, "AppID", appId) != ERROR_SUCCESS)
        return SELFREG_E_CLASS;
    return S_OK;
}

}  // namespace

HRESULT RegisterKestrin(const std::string& modulePath, const std::string& moduleFolder)
{
    const std::string appId = GuidToString(APPID_Kestrin);
    const std::string libKey = TypeLibKey() + "\\" + kTypeLibVersion;
    const LONG results[] = {
        SetText("AppID\\" + appId, nullptr, "Kestrin"),
        SetText("AppID\\Kestrin.DLL", "AppID", appId),
        SetText(libKey, nullptr, "Kestrin 1.0 Type Library"),
        SetText(libKey + "\\FLAGS", nullptr, "0"),
        SetText(libKey + "\\0\\win32", nullptr, modulePath),
        SetText(libKey + "\\HELPDIR", nullptr, moduleFolder),
    };
    for (LONG result : results) {
        if (result != ERROR_SUCCESS)
            return SELFREG_E_CLASS;
    }
    return RegisterConnectClass(modulePath, appId);
}

HRESULT UnregisterKestrin()
{
    HRESULT hr = pollenta::com::UnregisterServerClass(ConnectClass(""));
    for (const std::string& key : {"AppID\\" + GuidToString(APPID_Kestrin), std::string("AppID\\Kestrin.DLL"),
                                    TypeLibKey()}) {
        const LONG result = RegDeleteTree(HKEY_CLASSES_ROOT, key.c_str());
        if (result != ERROR_SUCCESS && result != static_cast<LONG>(ERROR_FILE_NOT_FOUND) && hr == S_OK)
            hr = SELFREG_E_CLASS;
    }
    return hr;
}
