// The entry points by which COM reaches the desktop database stand-in.

#include "CAccessApplication.h"

#include "AccessGuids.h"
#include "com/ClassFactoryImpl.h"
#include "com/Export.h"
#include "com/Registration.h"

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

}  // namespace

STDAPI DllGetClassObject(REFCLSID clsid, REFIID iid, void** out)
{
    return pollenta::com::GetClassObject(kClasses, clsid, iid, out);
}

STDAPI DllCanUnloadNow() { return pollenta::com::ModuleLock::CanUnloadNow(); }

STDAPI DllRegisterServer() { return pollenta::com::RegisterServerClass(Registration()); }

STDAPI DllUnregisterServer() { return pollenta::com::UnregisterServerClass(Registration()); }
