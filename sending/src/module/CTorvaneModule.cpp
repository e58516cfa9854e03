#include "CTorvaneModule.h"

#include "errors/CZrMapiErrorSource.h"
#include "lang/CWELanguages.h"

#include "ui/MessageBox.h"
#include "win/Module.h"

#include <vector>

namespace {

std::string OwnModulePath()
{
    HMODULE module = nullptr;
    if (!GetModuleHandleEx(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                           reinterpret_cast<LPCSTR>(&TorvaneModule), &module))
        return "";
    std::vector<char> path(4096);
    DWORD length = GetModuleFileName(module, path.data(), static_cast<DWORD>(path.size()));
    return length && length < path.size() ? std::string(path.data(), length) : std::string();
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
    // The registry may name a file of MAPI error texts; without one, MAPI
    // errors keep the system's wording.
    MapiErrorSource().LoadConfigured();
}

CTorvaneModule& TorvaneModule()
{
    static CTorvaneModule module;
    return module;
}
