#include "VersionDirectory.h"

#include "win/Errors.h"
#include "win/Module.h"

#include <climits>
#include <cstdlib>
#include <cstring>
#include <mutex>

namespace {

struct Registered {
    const VersionResource* version;
    HMODULE module;
};

// Versions register from static objects of other modules, so the directory
// must outlive every static destructor.
std::mutex& Mutex()
{
    static auto* mutex = new std::mutex;
    return *mutex;
}

std::vector<Registered>& Versions()
{
    static auto* versions = new std::vector<Registered>;
    return *versions;
}

std::string ModulePath(HMODULE module)
{
    char path[PATH_MAX];
    const DWORD length = GetModuleFileName(module, path, sizeof path);
    return length > 0 && length < sizeof path ? std::string(path, length) : std::string();
}

void Append(std::vector<BYTE>& data, const void* bytes, size_t size)
{
    const auto* begin = static_cast<const BYTE*>(bytes);
    data.insert(data.end(), begin, begin + size);
}

} // namespace

void VersionDirectory::Add(const VersionResource* version)
{
    HMODULE module = nullptr;
    GetModuleHandleEx(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                      reinterpret_cast<LPCSTR>(version), &module);
    std::lock_guard guard(Mutex());
    Versions().push_back(Registered{version, module});
}

void VersionDirectory::Remove(const VersionResource* version)
{
    std::lock_guard guard(Mutex());
    std::erase_if(Versions(), [&](const Registered& entry) { return entry.version == version; });
}

// The block: the fixed information, the translation pair, the block name
// and then name/value pairs, every string with its NUL, an empty name last.
DWORD VersionDirectory::Build(const std::string& path, std::vector<BYTE>& data)
{
    char resolved[PATH_MAX];
    if (!realpath(path.c_str(), resolved))
        return ERROR_FILE_NOT_FOUND;
    std::lock_guard guard(Mutex());
    for (const auto& entry : Versions()) {
        if (ModulePath(entry.module) != resolved)
            continue;
        const VersionResource& version = *entry.version;
        VS_FIXEDFILEINFO fixed{};
        fixed.dwSignature = 0xFEEF04BD;
        fixed.dwStrucVersion = 0x00010000;
        fixed.dwFileVersionMS = fixed.dwProductVersionMS = version.FileVersionMS();
        fixed.dwFileVersionLS = fixed.dwProductVersionLS = version.FileVersionLS();
        fixed.dwFileFlagsMask = 0x3F;
        fixed.dwFileOS = 0x40004;
        fixed.dwFileType = 2;
        const unsigned long pair = std::strtoul(version.Block(), nullptr, 16);
        const DWORD translation = static_cast<DWORD>(((pair >> 16) & 0xFFFF) | ((pair & 0xFFFF) << 16));
        data.clear();
        Append(data, &fixed, sizeof fixed);
        Append(data, &translation, sizeof translation);
        Append(data, version.Block(), std::strlen(version.Block()) + 1);
        for (const auto& string : version.Strings()) {
            Append(data, string.name, std::strlen(string.name) + 1);
            Append(data, string.value, std::strlen(string.value) + 1);
        }
        data.push_back(0);
        return ERROR_SUCCESS;
    }
    return ERROR_RESOURCE_TYPE_NOT_FOUND;
}
