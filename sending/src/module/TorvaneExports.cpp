// The entry points through which COM and regsvr reach the module.

#include "CTorvaneModule.h"
#include "TorvaneRegistration.h"
#include "classes/TMMailItem.h"

#include "com/ClassFactoryImpl.h"
#include "com/Export.h"

namespace {

const pollenta::com::ClassEntry Classes[] = {
    {&CLSID_TMMailItem, pollenta::com::MakeClassFactory<TMMailItem>},
};

// Loading the module starts it, the way the host's loader would.
[[gnu::constructor]] void StartModule()
{
    TorvaneModule();
}

}  // namespace

STDAPI DllGetClassObject(REFCLSID clsid, REFIID iid, void** out)
{
    return pollenta::com::GetClassObject(Classes, clsid, iid, out);
}

STDAPI DllCanUnloadNow()
{
    return pollenta::com::ModuleLock::CanUnloadNow();
}

STDAPI DllRegisterServer()
{
    return RegisterTorvane(TorvaneModule().ModulePath(), TorvaneModule().ModuleFolder());
}

STDAPI DllUnregisterServer()
{
    return UnregisterTorvane();
}
