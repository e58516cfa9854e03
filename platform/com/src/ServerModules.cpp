#include "ServerModules.h"

#include <dlfcn.h>

#include <vector>

namespace pollenta::com {

ServerModules& ServerModules::Instance()
{
    static ServerModules modules;
    return modules;
}

HRESULT ServerModules::GetClassObject(const std::string& path, REFCLSID clsid, REFIID iid, void** classObject)
{
    // Held during the call, so that the module cannot be unloaded before
    // its class object exists; the module may activate others meanwhile.
    std::lock_guard lock(m_mutex);
    auto found = m_modules.find(path);
    if (found == m_modules.end()) {
        void* handle = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
        if (!handle) return CO_E_DLLNOTFOUND;
        auto entry = reinterpret_cast<LPFNGETCLASSOBJECT>(dlsym(handle, "DllGetClassObject"));
        if (!entry) {
            dlclose(handle);
            return CO_E_ERRORINDLL;
        }
        auto canUnload = reinterpret_cast<LPFNCANUNLOADNOW>(dlsym(handle, "DllCanUnloadNow"));
        found = m_modules.emplace(path, Module{handle, entry, canUnload}).first;
    }
    return found->second.getClassObject(clsid, iid, classObject);
}

void ServerModules::UnloadUnused()
{
    std::vector<void*> unloaded;
    {
        std::lock_guard lock(m_mutex);
        for (auto it = m_modules.begin(); it != m_modules.end();) {
            if (it->second.canUnloadNow && it->second.canUnloadNow() == S_OK) {
                unloaded.push_back(it->second.handle);
                it = m_modules.erase(it);
            } else {
                ++it;
            }
        }
    }
    for (void* handle : unloaded) dlclose(handle);
}

}  // namespace pollenta::com
