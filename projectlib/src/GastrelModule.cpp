// The entry points by which COM and the installer reach the library.

#include "CHubberly.h"
#include "CWEAccessAddinRegistration.h"
#include "CWEProjectStore.h"
#include "CWEServerRegistration.h"
#include "ModuleDir.h"

#include "com/ClassFactoryImpl.h"
#include "com/Export.h"

namespace {

HRESULT HubberlyClassObject(REFIID iid, void** out)
{
    using Factory = pollenta::com::CClassFactory<CHubberly>;
    return pollenta::com::CUnknownImpl<Factory, IClassFactory>::CreateInstance(iid, out);
}

const pollenta::com::ClassEntry kClasses[] = {
    {&CLSID_Hubberly, HubberlyClassObject},
};

}  // namespace

STDAPI DllGetClassObject(REFCLSID clsid, REFIID iid, void** out)
{
    return pollenta::com::GetClassObject(kClasses, clsid, iid, out);
}

STDAPI DllCanUnloadNow() { return pollenta::com::ModuleLock::CanUnloadNow(); }

STDAPI DllRegisterServer()
{
    const std::string modulePath = GastrelModulePath();
    CWEProjectStore(GastrelModuleDir()).CreateDataDir();
    HRESULT hr = CWEAccessAddinRegistration(modulePath).Register();
    if (FAILED(hr))
        return hr;
    return CWEServerRegistration(modulePath).Register();
}

STDAPI DllUnregisterServer()
{
    const std::string modulePath = GastrelModulePath();
    CWEAccessAddinRegistration(modulePath).Unregister();
    return CWEServerRegistration(modulePath).Unregister();
}
