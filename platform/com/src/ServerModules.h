#pragma once
// The in-process server modules loaded by CoGetClassObject, each loaded
// once and kept until it says it can be unloaded.

#include "com/Activation.h"

#include <map>
#include <mutex>
#include <string>

namespace pollenta::com {

class ServerModules {
public:
    static ServerModules& Instance();

    // Loads the module at `path` (once) and asks its DllGetClassObject.
    // CO_E_DLLNOTFOUND when it cannot be loaded, CO_E_ERRORINDLL when it has
    // no DllGetClassObject.
    HRESULT GetClassObject(const std::string& path, REFCLSID clsid, REFIID iid, void** classObject);
    // Unloads every module whose DllCanUnloadNow answers S_OK; a module
    // without that export stays loaded.
    void UnloadUnused();

private:
    struct Module {
        void* handle;
        LPFNGETCLASSOBJECT getClassObject;
        LPFNCANUNLOADNOW canUnloadNow;
    };

    std::recursive_mutex m_mutex;
    std::map<std::string, Module> m_modules;
};

}  // namespace pollenta::com
