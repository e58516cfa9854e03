// The entry points by which COM and the installer reach the library.

#include "CHubberly.h"
#include "CWEAccessAddinRegistration.h"
#include "CWEImportReport.h"
#include "CWEProjectStore.h"
#include "CWEServerRegistration.h"
#include "CWEUninstall.h"
#include "ModuleDir.h"

#include "com/ClassFactoryImpl.h"
#include "com/Activation.h"
#include "com/Export.h"
#include "win/Msi.h"

#include <strings.h>
#include <vector>

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

namespace {

// Runs an import between COM's initialisation and its end on this thread.
CWEImportReport::Result ImportWithCom(const std::string& commandLine)
{
    const HRESULT initialized = CoInitialize(nullptr);
    const CWEImportReport::Result result = CWEImportReport::ImportWithReport(commandLine);
    if (SUCCEEDED(initialized))
        CoUninitialize();
    return result;
}

}  // namespace

STDAPI_(UINT) MsaDbRegMSI(MSIHANDLE install)
{
    DWORD length = 0;
    char none[1] = "";
    if (MsiGetPropertyA(install, "CustomActionData", none, &length) != ERROR_MORE_DATA)
        return ERROR_INSTALL_FAILURE;
    std::vector<char> text(length + 1);
    DWORD size = length + 1;
    if (MsiGetPropertyA(install, "CustomActionData", text.data(), &size) != ERROR_SUCCESS)
        return ERROR_INSTALL_FAILURE;
    return ImportWithCom(std::string(text.data(), size)).result == 0 ? ERROR_SUCCESS : ERROR_INSTALL_FAILURE;
}

// These entry points have no result of their own: each leaves it as the
// thread's last error for its caller (dllrun makes it the exit status).
STDAPI_(void) MsaDbRegCL(HWND, HINSTANCE, LPSTR commandLine, int)
{
    const CWEImportReport::Result result = ImportWithCom(commandLine ? commandLine : "");
    SetLastError(static_cast<DWORD>(result.exitStatus));
}

STDAPI_(void) DeleteAllProjectsCL(HWND, HINSTANCE, LPSTR commandLine, int)
{
    const bool samplesOnly = commandLine && strcasecmp(commandLine, "sample") == 0;
    const HRESULT initialized = CoInitialize(nullptr);
    const HRESULT deleted = CWEUninstall::DeleteProjects(!samplesOnly);
    if (SUCCEEDED(initialized))
        CoUninitialize();
    SetLastError(SUCCEEDED(deleted) ? ERROR_SUCCESS : static_cast<DWORD>(deleted));
}

STDAPI_(UINT) UninstallMSI(MSIHANDLE)
{
    CWEUninstall::Uninstall(GastrelModuleDir());
    return ERROR_SUCCESS;
}
