#include "win/Module.h"

#include <climits>
#include <cstdlib>
#include <cstring>
#include <dlfcn.h>
#include <link.h>
#include <map>
#include <mutex>
#include <unistd.h>
#include <vector>

namespace {

// Handles that LoadLibrary gave out, with the dlopen handles behind them
// (one per call, so that each FreeLibrary closes one).
std::mutex g_mutex;
std::map<HMODULE, std::vector<void*>> g_loaded;

HMODULE BaseOf(const void* address)
{
    Dl_info info{};
    if (!dladdr(address, &info) || !info.dli_fbase)
        return nullptr;
    return info.dli_fbase;
}

HMODULE BaseOfHandle(void* handle)
{
    link_map* map = nullptr;
    if (dlinfo(handle, RTLD_DI_LINKMAP, &map) != 0 || !map)
        return nullptr;
    return BaseOf(map->l_ld);
}

HMODULE ProgramBase()
{
    void* program = dlopen(nullptr, RTLD_NOW);
    HMODULE base = program ? BaseOfHandle(program) : nullptr;
    if (program)
        dlclose(program);
    return base;
}

std::string ProgramPath()
{
    char path[PATH_MAX];
    ssize_t length = readlink("/proc/self/exe", path, sizeof path - 1);
    return length > 0 ? std::string(path, static_cast<size_t>(length)) : std::string();
}

std::string PathOf(HMODULE module)
{
    if (!module || module == ProgramBase())
        return ProgramPath();
    Dl_info info{};
    if (!dladdr(module, &info) || info.dli_fbase != module || !info.dli_fname)
        return {};
    char resolved[PATH_MAX];
    return realpath(info.dli_fname, resolved) ? resolved : info.dli_fname;
}

} // namespace

HMODULE LoadLibrary(LPCSTR path) { return LoadLibraryEx(path, nullptr, 0); }

HMODULE LoadLibraryEx(LPCSTR path, HANDLE, DWORD)
{
    void* handle = path && *path ? dlopen(path, RTLD_NOW | RTLD_LOCAL) : nullptr;
    HMODULE module = handle ? BaseOfHandle(handle) : nullptr;
    if (!module) {
        if (handle)
            dlclose(handle);
        SetLastError(ERROR_MOD_NOT_FOUND);
        return nullptr;
    }
    std::lock_guard guard(g_mutex);
    g_loaded[module].push_back(handle);
    return module;
}

BOOL FreeLibrary(HMODULE module)
{
    void* handle = nullptr;
    {
        std::lock_guard guard(g_mutex);
        auto found = g_loaded.find(module);
        if (found == g_loaded.end()) {
            SetLastError(ERROR_INVALID_HANDLE);
            return FALSE;
        }
        handle = found->second.back();
        found->second.pop_back();
        if (found->second.empty())
            g_loaded.erase(found);
    }
    dlclose(handle);
    return TRUE;
}

FARPROC GetProcAddress(HMODULE module, LPCSTR name)
{
    const HMODULE program = ProgramBase();
    const HMODULE target = module ? module : program;
    const std::string path = target == program ? std::string() : PathOf(target);
    void* handle = target == program ? dlopen(nullptr, RTLD_NOW) : path.empty() ? nullptr : dlopen(path.c_str(), RTLD_NOW | RTLD_NOLOAD);
    if (!handle) {
        SetLastError(ERROR_INVALID_HANDLE);
        return nullptr;
    }
    void* symbol = name ? dlsym(handle, name) : nullptr;
    // The symbol must come from this module, not from one it depends on.
    if (symbol && BaseOf(symbol) != target)
        symbol = nullptr;
    dlclose(handle);
    if (!symbol) {
        SetLastError(ERROR_PROC_NOT_FOUND);
        return nullptr;
    }
    return reinterpret_cast<FARPROC>(symbol);
}

HMODULE GetModuleHandle(LPCSTR name)
{
    if (!name)
        return ProgramBase();
    void* handle = dlopen(name, RTLD_NOW | RTLD_NOLOAD);
    HMODULE module = handle ? BaseOfHandle(handle) : nullptr;
    if (handle)
        dlclose(handle);
    if (!module)
        SetLastError(ERROR_MOD_NOT_FOUND);
    return module;
}

BOOL GetModuleHandleEx(DWORD flags, LPCSTR name, HMODULE* module)
{
    if (!module) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    *module = (flags & GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS) ? BaseOf(name) : GetModuleHandle(name);
    if (!*module) {
        SetLastError(ERROR_MOD_NOT_FOUND);
        return FALSE;
    }
    return TRUE;
}

DWORD GetModuleFileName(HMODULE module, LPSTR fileName, DWORD size)
{
    const std::string path = PathOf(module);
    if (path.empty()) {
        SetLastError(ERROR_MOD_NOT_FOUND);
        return 0;
    }
    if (!fileName || size == 0) {
        SetLastError(ERROR_INSUFFICIENT_BUFFER);
        return 0;
    }
    if (path.size() >= size) {
        std::memcpy(fileName, path.data(), size - 1);
        fileName[size - 1] = '\0';
        SetLastError(ERROR_INSUFFICIENT_BUFFER);
        return size;
    }
    std::memcpy(fileName, path.c_str(), path.size() + 1);
    return static_cast<DWORD>(path.size());
}
