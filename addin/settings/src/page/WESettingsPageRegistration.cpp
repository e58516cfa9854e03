#include "page/WESettingsPageRegistration.h"

#include "settings/RegistryKey.h"

#include "IWESettingsPage.h"
#include "KestrinGuids.h"

#include "com/Registration.h"

using pollenta::com::GuidToString;

namespace {

// RECOMPOSEONRESIZE | CANTLINKINSIDE | INSIDEOUT | ACTIVATEWHENVISIBLE | SETCLIENTSITEFIRST.
constexpr char kMiscStatus[] = "131473";

pollenta::com::ClassRegistration ClassKeys(const std::string& modulePath)
{
    pollenta::com::ClassRegistration keys;
    keys.clsid = CLSID_WESettingsPage;
    keys.progId = "Kestrin.WESettingsPage.1";
    keys.versionIndependentProgId = "Kestrin.WESettingsPage";
    keys.description = "WESettingsPage Class";
    keys.modulePath = modulePath;
    keys.typeLib = LIBID_KestrinLib;
    keys.version = "1.0";
    return keys;
}

LONG SetText(const std::string& keyPath, const char* name, const std::string& text)
{
    RegistryKey key;
    const LONG result = key.Create(HKEY_CLASSES_ROOT, keyPath, KEY_WRITE);
    return result == ERROR_SUCCESS ? key.WriteText(name, text) : result;
}

} // namespace

HRESULT RegisterWESettingsPage(const std::string& modulePath)
{
    HRESULT hr = pollenta::com::RegisterServerClass(ClassKeys(modulePath));
    if (FAILED(hr))
        return hr;
    const std::string classKey = "CLSID\\" + GuidToString(CLSID_WESettingsPage);
    const LONG results[] = {
        SetText(classKey + "\\Programmable", nullptr, ""),
        SetText(classKey + "\\Control", nullptr, ""),
        SetText(classKey, "AppID", GuidToString(APPID_Kestrin)),
        SetText(classKey + "\\ToolboxBitmap32", nullptr, modulePath + ", 116"),
        SetText(classKey + "\\MiscStatus", nullptr, "0"),
        SetText(classKey + "\\MiscStatus\\1", nullptr, kMiscStatus),
    };
    for (LONG result : results)
        if (result != ERROR_SUCCESS)
            return SELFREG_E_CLASS;
    return S_OK;
}

HRESULT UnregisterWESettingsPage()
{
    return pollenta::com::UnregisterServerClass(ClassKeys({}));
}
