#include "ModuleDir.h"

#include "win/Module.h"

#include <vector>

HMODULE GastrelModuleHandle()
{
    HMODULE module = nullptr;
    GetModuleHandleEx(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                      reinterpret_cast<LPCSTR>(&GastrelModuleHandle), &module);
    return module;
}

std::string GastrelModulePath()
{
    // The file of a loaded module stays where it was loaded from; every new
    // library object asks for it.
    static const std::string path = [] {
        std::vector<char> buffer(4096);
        DWORD length = GetModuleFileName(GastrelModuleHandle(), buffer.data(), static_cast<DWORD>(buffer.size()));
        return length < buffer.size() ? std::string(buffer.data(), length) : std::string();
    }();
    return path;
}

std::string GastrelModuleDir()
{
    std::string path = GastrelModulePath();
    size_t separator = path.find_last_of("\\/");
    return separator == std::string::npos ? std::string() : path.substr(0, separator);
}
