// The entry points by which COM reaches the desktop database stand-in.

#include "CAccessApplication.h"

#include "AccessGuids.h"
#include "com/ClassFactoryImpl.h"
#include "com/Export.h"
#include "com/Registration.h"
#include "win/Registry.h"

#include <dlfcn.h>

namespace {

const pollenta::com::ClassEntry kClasses[] = {
    {&CLSID_AccessApplication, pollenta::com::MakeClassFactory<pollenta::access::CAccessApplication>},
};

std::string ModulePath()
{
    Dl_info info{};
    return dladdr(reinterpret_cast<void*>(&ModulePath), &info) && info.dli_fname ? info.dli_fname : "";
}

pollenta::com::ClassRegistration Registration()
{
    pollenta::com::ClassRegistration registration;
    registration.clsid = CLSID_AccessApplication;
    registration.progId = std::string(kAccessApplicationProgID) + ".1";
    registration.versionIndependentProgId = kAccessApplicationProgID;
    registration.description = "Desktop database application";
    registration.modulePath = ModulePath();
    return registration;
}

// The database program's installer makes the key under which menu add-ins
// enter themselves; the project library registers only where it exists. It
// is left in place on removal: add-ins of other products may live under it.
HRESULT CreateMenuAddInsKey()
{
    HKEY key = nullptr;
    const LONG result = RegCreateKeyEx(HKEY_LOCAL_MACHINE, "SOFTWARE\\Microsoft\\Office\\11.0\\Access\\Menu Add-Ins", 0,
                                       nullptr, 0, KEY_WRITE, nullptr, &key, nullptr);
    if (result != ERROR_SUCCESS)
        return HRESULT_FROM_WIN32(result);
    RegCloseKey(key);
    return S_OK;
}

}  // namespace

STDAPI DllGetClassObject(REFCLSID clsid, REFIID iid, void** out)
{
    return pollenta::com::GetClassObject(kClasses, clsid, iid, out);
}

STDAPI DllCanUnloadNow() { return pollenta::com::ModuleLock::CanUnloadNow(); }

STDAPI DllRegisterServer()
{
    const HRESULT hr = pollenta::com::RegisterServerClass(Registration());
    return FAILED(hr) ? hr : CreateMenuAddInsKey();
}

STDAPI DllUnregisterServer() { return pollenta::com::UnregisterServerClass(Registration()); }
