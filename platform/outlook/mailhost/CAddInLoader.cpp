#include "CAddInLoader.h"

#include "com/Activation.h"
#include "com/ComBoundary.h"
#include "com/Text.h"
#include "win/Registry.h"

#include <algorithm>
#include <cstdio>

namespace mailhost {

namespace {

constexpr const char* kAddInsKey = "Software\\Microsoft\\Office\\Outlook\\Addins";
constexpr DWORD kLoadAtStartup = 3;

void Report(const std::string& progId, const char* what, HRESULT hr)
{
    std::fprintf(stderr, "mailhost: add-in %s %s (0x%08X); going on without it\n", progId.c_str(), what,
                 static_cast<unsigned>(hr));
}

DWORD LoadBehavior(HKEY addIns, const char* progId)
{
    HKEY key = nullptr;
    if (RegOpenKeyEx(addIns, progId, 0, KEY_READ, &key) != ERROR_SUCCESS)
        return 0;
    DWORD value = 0;
    DWORD size = sizeof value;
    DWORD type = 0;
    if (RegQueryValueEx(key, "LoadBehavior", nullptr, &type, reinterpret_cast<LPBYTE>(&value), &size) !=
            ERROR_SUCCESS ||
        type != REG_DWORD)
        value = 0;
    RegCloseKey(key);
    return value;
}

// Each ProgID under the root's add-in key once; the first root that names
// it decides its LoadBehavior.
void Collect(HKEY root, std::vector<std::string>& seen, std::vector<std::string>& load)
{
    HKEY addIns = nullptr;
    if (RegOpenKeyEx(root, kAddInsKey, 0, KEY_READ, &addIns) != ERROR_SUCCESS)
        return;
    char name[256];
    for (DWORD i = 0;; ++i) {
        DWORD size = sizeof name;
        if (RegEnumKeyEx(addIns, i, name, &size, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS)
            break;
        const auto same = [&](const std::string& other) { return strcasecmp(other.c_str(), name) == 0; };
        if (std::any_of(seen.begin(), seen.end(), same))
            continue;
        seen.emplace_back(name);
        if (LoadBehavior(addIns, name) == kLoadAtStartup)
            load.emplace_back(name);
    }
    RegCloseKey(addIns);
}

}  // namespace

std::vector<std::string> CAddInLoader::StartupAddIns()
{
    std::vector<std::string> seen;
    std::vector<std::string> load;
    Collect(HKEY_CURRENT_USER, seen, load);
    Collect(HKEY_LOCAL_MACHINE, seen, load);
    return load;
}

HRESULT CAddInLoader::Connect(const std::string& progId, IDispatch* application)
{
    CLSID clsid = GUID_NULL;
    const std::u16string name = pollenta::com::Utf16FromAnsi(progId);
    if (HRESULT hr = CLSIDFromProgID(name.c_str(), &clsid); FAILED(hr)) {
        Report(progId, "is not registered", hr);
        return hr;
    }
    CComPtr<IDTExtensibility2> addIn;
    if (HRESULT hr = CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER, IID_IDTExtensibility2,
                                      reinterpret_cast<void**>(&addIn));
        FAILED(hr)) {
        Report(progId, "could not be created", hr);
        return hr;
    }
    SAFEARRAY* custom = nullptr;
    const HRESULT hr =
        pollenta::com::GuardedCall([&] { return addIn->OnConnection(application, ext_cm_Startup, nullptr, &custom); });
    if (FAILED(hr)) {
        Report(progId, "failed to connect", hr);
        return hr;
    }
    m_addIns.push_back({progId, addIn});
    return S_OK;
}

void CAddInLoader::ConnectAll(IDispatch* application)
{
    for (const std::string& progId : StartupAddIns())
        Connect(progId, application);
    for (AddIn& addIn : m_addIns) {
        SAFEARRAY* custom = nullptr;
        pollenta::com::GuardedCall([&] { return addIn.object->OnStartupComplete(&custom); });
    }
}

void CAddInLoader::BeginShutdown()
{
    for (AddIn& addIn : m_addIns) {
        SAFEARRAY* custom = nullptr;
        pollenta::com::GuardedCall([&] { return addIn.object->OnBeginShutdown(&custom); });
    }
}

void CAddInLoader::DisconnectAll()
{
    while (!m_addIns.empty()) {
        AddIn& addIn = m_addIns.back();
        SAFEARRAY* custom = nullptr;
        const HRESULT hr =
            pollenta::com::GuardedCall([&] { return addIn.object->OnDisconnection(ext_dm_HostShutdown, &custom); });
        if (FAILED(hr))
            Report(addIn.progId, "failed to disconnect", hr);
        m_addIns.pop_back();
    }
}

std::vector<std::string> CAddInLoader::Connected() const
{
    std::vector<std::string> names;
    for (const AddIn& addIn : m_addIns)
        names.push_back(addIn.progId);
    return names;
}

}  // namespace mailhost
