#pragma once
// The registry keys of an in-process class, as DllRegisterServer writes them
// under HKEY_CLASSES_ROOT and DllUnregisterServer removes them:
//
//   <ProgID>                         = description, \CLSID = {clsid}
//   <VersionIndependentProgID>       = description, \CLSID = {clsid}, \CurVer = <ProgID>
//   CLSID\{clsid}                    = description
//       \ProgID, \VersionIndependentProgID
//       \InprocServer32              = module path, ThreadingModel
//       \TypeLib                     = {libid}      (when given)
//       \Version                     = version      (when given)

#include "com/Guid.h"

#include <string>

namespace pollenta::com {

struct ClassRegistration {
    CLSID clsid = GUID_NULL;
    std::string progId;
    std::string versionIndependentProgId;
    std::string description;
    std::string modulePath;
    std::string threadingModel = "Apartment";
    GUID typeLib = GUID_NULL;
    std::string version;
};

// SELFREG_E_CLASS when a key cannot be written.
HRESULT RegisterServerClass(const ClassRegistration& registration);
// Removes the keys; keys that are already gone are no error.
HRESULT UnregisterServerClass(const ClassRegistration& registration);

}  // namespace pollenta::com
