#include "CTorvaneModule.h"

#include "errors/CZrMapiErrorSource.h"
#include "lang/CWELanguages.h"

#include "ui/MessageBox.h"
#include "win/Registry.h"

#include <dlfcn.h>

namespace {

constexpr const char* MapiErrorsKey = "SOFTWARE\\Velquin Ltd\\MAPI Errors";
constexpr const char* MessageSourceValue = "MessageSourceDll";
constexpr DWORD MaxMessageSourceBytes = 520;

std::string OwnModulePath()
{
    Dl_info info{};
    if (!dladdr(reinterpret_cast<void*>(&TorvaneModule), &info) || !info.dli_fname)
        return "";
    return info.dli_fname;
}

}  // namespace

CTorvaneModule::CTorvaneModule()
{
    InitInstance();
}

void CTorvaneModule::InitInstance()
{
    m_strModulePath = OwnModulePath();
    std::size_t slash = m_strModulePath.find_last_of('/');
    m_strModuleFolder = slash == std::string::npos ? "." : m_strModulePath.substr(0, slash);
    if (!Languages().SelectLanguage(m_strModuleFolder, "English"))
        MessageBox(nullptr, "Cant load language data", nullptr, MB_ICONERROR);
    SelectMapiErrorSource();
}

// The registry may name a file of MAPI error texts (an LNG table keyed by
// HRESULT). A missing key or value, or a file that is not such a table,
// leaves MAPI errors with the system's wording.
void CTorvaneModule::SelectMapiErrorSource()
{
    HKEY key = nullptr;
    if (RegOpenKeyEx(HKEY_LOCAL_MACHINE, MapiErrorsKey, 0, KEY_READ, &key) != ERROR_SUCCESS)
        return;
    char path[MaxMessageSourceBytes + 1] = {};
    DWORD type = 0;
    DWORD size = MaxMessageSourceBytes;
    LONG result = RegQueryValueEx(key, MessageSourceValue, nullptr, &type, reinterpret_cast<BYTE*>(path), &size);
    RegCloseKey(key);
    if (result == ERROR_SUCCESS && type == REG_SZ && path[0])
        MapiErrorSource().Load(path);
}

CTorvaneModule& TorvaneModule()
{
    static CTorvaneModule module;
    return module;
}
