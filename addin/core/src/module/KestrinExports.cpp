// The entry points through which COM, regsvr and the project library's
// uninstaller reach the module.

#include "connect/WEConnect.h"
#include "log/ClearLogFolder.h"
#include "module/KestrinRegistration.h"
#include "page/WESettingsPage.h"
#include "page/WESettingsPageRegistration.h"
#include "resources/KestrinResources.h"
#include "settings/CWESettings.h"
#include "settings/RegistryKey.h"

#include "com/ClassFactoryImpl.h"
#include "com/Export.h"

namespace {

// The add-in's classes.
const pollenta::com::ClassEntry kClasses[] = {
    {&CLSID_WEConnect, pollenta::com::MakeClassFactory<WEConnect>},
    {&CLSID_WESettingsPage, pollenta::com::MakeClassFactory<WESettingsPage>},
};

void ClearConfiguredLogFolder()
{
    RegistryKey key;
    if (key.Open(HKEY_CURRENT_USER, CWESettings::kRootKey, KEY_READ | KEY_CREATE_SUB_KEY | KEY_SET_VALUE) !=
        ERROR_SUCCESS)
        return;
    std::string folder;
    if (key.ReadText("LogFolderPath", folder) == ERROR_SUCCESS && !folder.empty())
        ClearLogFolder(folder);
}

}  // namespace

STDAPI DllGetClassObject(REFCLSID clsid, REFIID iid, void** out)
{
    return pollenta::com::GetClassObject(kClasses, clsid, iid, out);
}

STDAPI DllCanUnloadNow()
{
    return pollenta::com::ModuleLock::CanUnloadNow();
}

STDAPI DllRegisterServer()
{
    const std::string folder = KestrinModuleFolder();
    const HRESULT hr = RegisterKestrin(KestrinModulePath(), folder.empty() ? folder : folder.substr(0, folder.size() - 1));
    return FAILED(hr) ? hr : RegisterWESettingsPage(KestrinModulePath());
}

STDAPI DllUnregisterServer()
{
    const HRESULT page = UnregisterWESettingsPage();
    const HRESULT hr = UnregisterKestrin();
    return FAILED(hr) ? hr : page;
}

// Called by the project library's uninstaller before it deletes the
// product key. The folder may be one the user chose and shares with files
// of their own: only the add-in's logs go, and the folder only when empty.
STDAPI_(int) ClearAllLogs()
{
    try {
        ClearConfiguredLogFolder();
    } catch (...) {
        // Nothing may leave the module; the logs then stay where they are.
    }
    return 0;
}
