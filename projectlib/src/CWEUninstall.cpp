#include "CWEUninstall.h"

#include "AnsiPath.h"
#include "CWEProjectStore.h"
#include "GastrelStrings.h"

#include "IHubberly.h"
#include "com/Activation.h"
#include "com/ComPtr.h"
#include "com/ComVariant.h"
#include "com/SafeArray.h"
#include "ui/MessageBox.h"
#include "win/Registry.h"

#include <dlfcn.h>

#include <filesystem>

namespace {

constexpr const char* kAddinModule = "Kestrin.so";
constexpr const char* kClearLogsExport = "ClearAllLogs";
constexpr LONG kAllProjects = 0;

}  // namespace

HRESULT CWEUninstall::DeleteProjects(bool all)
{
    CComPtr<IHubberly> hubberly;
    HRESULT hr = CoCreateInstance(CLSID_Hubberly, nullptr, CLSCTX_INPROC_SERVER, IID_IHubberly,
                                  reinterpret_cast<void**>(&hubberly));
    if (FAILED(hr))
        return hr;
    CComVariant projects;
    hr = hubberly->EnumProjects(all ? kAllProjects : CWEProjectStore::kSampleProjects, &projects);
    if (FAILED(hr) || projects.vt != (VT_ARRAY | VT_I4))
        return E_FAIL;
    LONG lower = 0, upper = -1;
    SafeArrayGetLBound(projects.parray, 1, &lower);
    SafeArrayGetUBound(projects.parray, 1, &upper);
    for (LONG i = lower; i <= upper; ++i) {
        LONG id = 0;
        if (SUCCEEDED(SafeArrayGetElement(projects.parray, &i, &id)))
            hubberly->DeleteProject(id);
    }
    if (all) {
        // Only an empty folder goes: files of the user's own stay.
        if (std::optional<std::string> dataDir = CWEProjectStore("").GetDataDir()) {
            std::error_code ignored;
            std::filesystem::remove(FileSystemPath(*dataDir), ignored);
        }
    }
    return S_OK;
}

void CWEUninstall::ClearAddinLogs(const std::string& moduleDir)
{
    void* addin = dlopen((moduleDir + "/" + kAddinModule).c_str(), RTLD_NOW | RTLD_LOCAL);
    if (!addin)
        return;
    // The add-in's export returns an int that says nothing; called through
    // any other type it would be undefined.
    if (auto clear = reinterpret_cast<int (*)()>(dlsym(addin, kClearLogsExport)))
        clear();
    dlclose(addin);
}

void CWEUninstall::Uninstall(const std::string& moduleDir)
{
    const int answer = MessageBox(nullptr, gastrel::LoadGastrelString(gastrel::IDS_UNINSTALL_QUESTION).c_str(),
                                  gastrel::LoadGastrelString(gastrel::IDS_UNINSTALL_CAPTION).c_str(),
                                  MB_YESNO | MB_ICONQUESTION);
    const bool keep = answer == IDYES;
    const HRESULT initialized = CoInitialize(nullptr);
    DeleteProjects(!keep);
    if (!keep) {
        // The add-in reads its log folder from the product key: logs first.
        ClearAddinLogs(moduleDir);
        RegDeleteTree(HKEY_CURRENT_USER, CWEProjectStore::kProductKey);
    }
    if (SUCCEEDED(initialized))
        CoUninitialize();
}
