#include "com/Registration.h"

#include "win/Registry.h"

namespace pollenta::com {

namespace {

bool SetString(const std::string& keyPath, const char* valueName, const std::string& value)
{
    HKEY key = nullptr;
    if (RegCreateKeyEx(HKEY_CLASSES_ROOT, keyPath.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_WRITE, nullptr,
                       &key, nullptr) != ERROR_SUCCESS)
        return false;
    const LONG status = RegSetValueEx(key, valueName, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                                      static_cast<DWORD>(value.size() + 1));
    RegCloseKey(key);
    return status == ERROR_SUCCESS;
}

bool RegisterProgId(const std::string& progId, const ClassRegistration& r, const std::string& clsidText,
                    const std::string& curVer)
{
    if (progId.empty()) return true;
    return SetString(progId, nullptr, r.description) && SetString(progId + "\\CLSID", nullptr, clsidText) &&
           (curVer.empty() || SetString(progId + "\\CurVer", nullptr, curVer));
}

bool RemoveTree(const std::string& keyPath)
{
    const LONG status = RegDeleteTree(HKEY_CLASSES_ROOT, keyPath.c_str());
    return status == ERROR_SUCCESS || status == ERROR_FILE_NOT_FOUND;
}

}  // namespace

HRESULT RegisterServerClass(const ClassRegistration& r)
{
    const std::string clsidText = GuidToString(r.clsid);
    const std::string classKey = "CLSID\\" + clsidText;
    bool ok = SetString(classKey, nullptr, r.description) &&
              SetString(classKey + "\\InprocServer32", nullptr, r.modulePath) &&
              SetString(classKey + "\\InprocServer32", "ThreadingModel", r.threadingModel);
    if (ok && !r.progId.empty()) ok = SetString(classKey + "\\ProgID", nullptr, r.progId);
    if (ok && !r.versionIndependentProgId.empty())
        ok = SetString(classKey + "\\VersionIndependentProgID", nullptr, r.versionIndependentProgId);
    if (ok && r.typeLib != GUID_NULL) ok = SetString(classKey + "\\TypeLib", nullptr, GuidToString(r.typeLib));
    if (ok && !r.version.empty()) ok = SetString(classKey + "\\Version", nullptr, r.version);
    ok = ok && RegisterProgId(r.progId, r, clsidText, {}) &&
         RegisterProgId(r.versionIndependentProgId, r, clsidText, r.progId);
    return ok ? S_OK : SELFREG_E_CLASS;
}

HRESULT UnregisterServerClass(const ClassRegistration& r)
{
    bool ok = RemoveTree("CLSID\\" + GuidToString(r.clsid));
    if (!r.progId.empty()) ok = RemoveTree(r.progId) && ok;
    if (!r.versionIndependentProgId.empty()) ok = RemoveTree(r.versionIndependentProgId) && ok;
    return ok ? S_OK : SELFREG_E_CLASS;
}

}  // namespace pollenta::com
