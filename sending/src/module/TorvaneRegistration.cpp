#include "TorvaneRegistration.h"

#include "ITMMailItem.h"
#include "ITMMailItemEvents.h"
#include "ITMMacros.h"
#include "ITMPersonData.h"

#include "com/Registration.h"
#include "win/Registry.h"

#include <vector>

using pollenta::com::GuidToString;

namespace {

constexpr const char* ClassName = "TMMailItem Class";
constexpr const char* TypeLibVersion = "3.0";
// The automation marshallers of dual interfaces and of dispinterfaces.
// {00020424-0000-0000-C000-000000000046}, {00020420-0000-0000-C000-000000000046}
constexpr const char* DualProxyStub = "{00020424-0000-0000-C000-000000000046}";
constexpr const char* DispatchProxyStub = "{00020420-0000-0000-C000-000000000046}";

struct InterfaceName {
    const IID* iid;
    const char* name;
    const char* proxyStub;
};

constexpr InterfaceName Interfaces[] = {
    {&IID_ITMMailItem, "ITMMailItem", DualProxyStub},
    {&IID_ITMMailItem2, "ITMMailItem2", DualProxyStub},
    {&IID_ITMMailItem3, "ITMMailItem3", DualProxyStub},
    {&IID_ITMMacros, "ITMMacros", DualProxyStub},
    {&IID_ITMPersonData, "ITMPersonData", DualProxyStub},
    {&DIID__ITMMailItemEvents, "_ITMMailItemEvents", DispatchProxyStub},
};

// Sets a REG_SZ value (the default value when `name` is null) of a key below
// HKEY_CLASSES_ROOT, creating the key.
LONG SetText(const std::string& keyPath, const char* name, const std::string& text)
{
    HKEY key = nullptr;
    LONG result = RegCreateKeyEx(HKEY_CLASSES_ROOT, keyPath.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_WRITE,
                                 nullptr, &key, nullptr);
    if (result != ERROR_SUCCESS)
        return result;
    result = RegSetValueEx(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()),
                           static_cast<DWORD>(text.size() + 1));
    RegCloseKey(key);
    return result;
}

LONG CreateKey(const std::string& keyPath)
{
    HKEY key = nullptr;
    LONG result = RegCreateKeyEx(HKEY_CLASSES_ROOT, keyPath.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_WRITE,
                                 nullptr, &key, nullptr);
    if (result == ERROR_SUCCESS)
        RegCloseKey(key);
    return result;
}

pollenta::com::ClassRegistration ClassKeys(const std::string& modulePath)
{
    pollenta::com::ClassRegistration keys;
    keys.clsid = CLSID_TMMailItem;
    keys.progId = kTMMailItemVersionedProgID;
    keys.versionIndependentProgId = kTMMailItemProgID;
    keys.description = ClassName;
    keys.modulePath = modulePath;
    keys.typeLib = LIBID_TorvaneLib;
    return keys;
}

// The keys besides those of the class itself.
std::vector<std::string> OwnKeys()
{
    std::vector<std::string> keys = {
        "AppID\\" + GuidToString(APPID_Torvane),
        "AppID\\Torvane.DLL",
        "TypeLib\\" + GuidToString(LIBID_TorvaneLib),
    };
    for (const InterfaceName& entry : Interfaces)
        keys.push_back("Interface\\" + GuidToString(*entry.iid));
    return keys;
}

}  // namespace

HRESULT RegisterTorvane(const std::string& modulePath, const std::string& moduleFolder)
{
    const std::string appId = GuidToString(APPID_Torvane);
    const std::string clsid = GuidToString(CLSID_TMMailItem);
    const std::string libId = GuidToString(LIBID_TorvaneLib);
    const std::string classKey = "CLSID\\" + clsid;
    const std::string libKey = "TypeLib\\" + libId + "\\" + TypeLibVersion;

    if (FAILED(pollenta::com::RegisterServerClass(ClassKeys(modulePath))))
        return SELFREG_E_CLASS;
    LONG failure = ERROR_SUCCESS;
    auto check = [&](LONG result) {
        if (failure == ERROR_SUCCESS)
            failure = result;
    };
    check(SetText("AppID\\" + appId, nullptr, "Torvane"));
    check(SetText("AppID\\Torvane.DLL", "AppID", appId));

    check(SetText(classKey, "AppID", appId));
    check(CreateKey(classKey + "\\Programmable"));

    check(SetText(libKey, nullptr, "Torvane 3.0 Type Library"));
    check(SetText(libKey + "\\FLAGS", nullptr, "0"));
    check(SetText(libKey + "\\0\\win32", nullptr, modulePath));
    check(SetText(libKey + "\\HELPDIR", nullptr, moduleFolder));
    for (const InterfaceName& entry : Interfaces) {
        const std::string interfaceKey = "Interface\\" + GuidToString(*entry.iid);
        check(SetText(interfaceKey, nullptr, entry.name));
        check(SetText(interfaceKey + "\\ProxyStubClsid32", nullptr, entry.proxyStub));
        check(SetText(interfaceKey + "\\TypeLib", nullptr, libId));
        check(SetText(interfaceKey + "\\TypeLib", "Version", TypeLibVersion));
    }
    return failure == ERROR_SUCCESS ? S_OK : SELFREG_E_CLASS;
}

HRESULT UnregisterTorvane()
{
    LONG failure = ERROR_SUCCESS;
    if (FAILED(pollenta::com::UnregisterServerClass(ClassKeys(""))))
        failure = ERROR_CANTWRITE;
    for (const std::string& key : OwnKeys()) {
        LONG result = RegDeleteTree(HKEY_CLASSES_ROOT, key.c_str());
        if (result != ERROR_SUCCESS && result != static_cast<LONG>(ERROR_FILE_NOT_FOUND) && failure == ERROR_SUCCESS)
            failure = result;
    }
    return failure == ERROR_SUCCESS ? S_OK : SELFREG_E_CLASS;
}
