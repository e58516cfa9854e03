#include "CWEServerRegistration.h"

#include "CWERegKey.h"

#include "IHubberly.h"


namespace {

using pollenta::com::GuidToString;

constexpr const char* kClassTitle = "Hubberly Class";
constexpr const char* kAppIdTitle = "Quellary";
constexpr const char* kAppIdModuleKey = "AppID\\Gastrel.DLL";
constexpr const char* kTypeLibTitle = "Velquin Ltd Hubberly 1.0 Type Library";
// The automation marshaller that dual interfaces name as their proxy.
constexpr const char* kAutomationProxy = "{00020424-0000-0000-C000-000000000046}";

std::string ClassKey() { return "CLSID\\" + GuidToString(CLSID_Hubberly); }
std::string AppIdKey() { return "AppID\\" + GuidToString(APPID_Gastrel); }
std::string TypeLibKey() { return "TypeLib\\" + GuidToString(LIBID_GastrelLib); }
std::string InterfaceKey() { return "Interface\\" + GuidToString(IID_IHubberly); }

// Writes one text value (the default value for an empty name), making the
// key when needed; false on the first failure.
bool Put(const std::string& key, const char* name, const std::string& text)
{
    CWERegKey regKey;
    return regKey.Create(HKEY_CLASSES_ROOT, key) == ERROR_SUCCESS && regKey.SetText(name, text) == ERROR_SUCCESS;
}

bool MakeKey(const std::string& key)
{
    CWERegKey regKey;
    return regKey.Create(HKEY_CLASSES_ROOT, key) == ERROR_SUCCESS;
}

}  // namespace

CWEServerRegistration::CWEServerRegistration(std::string modulePath) : m_modulePath(std::move(modulePath)) {}

HRESULT CWEServerRegistration::Register() const
{
    const std::string clsid = GuidToString(CLSID_Hubberly);
    const std::string appId = GuidToString(APPID_Gastrel);
    const std::string libId = GuidToString(LIBID_GastrelLib);
    const std::string moduleDir = m_modulePath.substr(0, m_modulePath.find_last_of("\\/"));
    const std::string progId = kHubberlyProgID;
    const std::string versionedProgId = kHubberlyVersionedProgID;

    bool classWritten = Put(versionedProgId, "", kClassTitle) && Put(versionedProgId + "\\CLSID", "", clsid) &&
                        Put(progId, "", kClassTitle) && Put(progId + "\\CLSID", "", clsid) &&
                        Put(progId + "\\CurVer", "", versionedProgId) && Put(ClassKey(), "", kClassTitle) &&
                        Put(ClassKey() + "\\ProgID", "", "Quellary.Hubberly.1") &&
                        Put(ClassKey() + "\\VersionIndependentProgID", "", "Quellary.Hubberly") &&
                        MakeKey(ClassKey() + "\\Programmable") &&
                        Put(ClassKey() + "\\InprocServer32", "", m_modulePath) &&
                        Put(ClassKey() + "\\InprocServer32", "ThreadingModel", "Apartment") &&
                        Put(ClassKey(), "AppID", appId) && Put(ClassKey() + "\\TypeLib", "", libId) &&
                        Put(AppIdKey(), "", kAppIdTitle) && Put(kAppIdModuleKey, "AppID", appId);
    if (!classWritten)
        return SELFREG_E_CLASS;

    const std::string version = TypeLibKey() + "\\1.0";
    bool libraryWritten = Put(version, "", kTypeLibTitle) && Put(version + "\\0\\win32", "", m_modulePath) &&
                          Put(version + "\\FLAGS", "", "0") && Put(version + "\\HELPDIR", "", moduleDir) &&
                          Put(InterfaceKey(), "", "IHubberly") &&
                          Put(InterfaceKey() + "\\ProxyStubClsid32", "", kAutomationProxy) &&
                          Put(InterfaceKey() + "\\TypeLib", "", libId) &&
                          Put(InterfaceKey() + "\\TypeLib", "Version", "1.0");
    return libraryWritten ? S_OK : SELFREG_E_TYPELIB;
}

HRESULT CWEServerRegistration::Unregister() const
{
    for (const std::string& key : {std::string(kHubberlyVersionedProgID), std::string(kHubberlyProgID), ClassKey(),
                                   AppIdKey(), std::string(kAppIdModuleKey), TypeLibKey(), InterfaceKey()})
        RegDeleteTree(HKEY_CLASSES_ROOT, key.c_str());
    return S_OK;
}
