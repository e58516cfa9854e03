#include "win/Version.h"

#include "CaseFold.h"
#include "ResourceDirectory.h"
#include "win/Errors.h"

#include <climits>
#include <cstdlib>
#include <cstring>
#include <string_view>
#include <vector>

namespace {

bool SameText(std::string_view a, std::string_view b) { return CaseFold::FoldText(a) == CaseFold::FoldText(b); }

void Append(std::vector<BYTE>& data, const void* bytes, size_t size)
{
    const auto* begin = static_cast<const BYTE*>(bytes);
    data.insert(data.end(), begin, begin + size);
}

// The block: the fixed information, the translation pair, the block name
// and then name/value pairs, every string with its NUL, an empty name last.
void BuildBlock(const VersionResource& version, std::vector<BYTE>& data)
{
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
    Append(data, &fixed, sizeof fixed);
    Append(data, &translation, sizeof translation);
    Append(data, version.Block(), std::strlen(version.Block()) + 1);
    for (const auto& string : version.Strings()) {
        Append(data, string.name, std::strlen(string.name) + 1);
        Append(data, string.value, std::strlen(string.value) + 1);
    }
    data.push_back(0);
}

DWORD Build(LPCSTR path, std::vector<BYTE>& data)
{
    char resolved[PATH_MAX];
    if (!path)
        return ERROR_INVALID_PARAMETER;
    if (!realpath(path, resolved))
        return ERROR_FILE_NOT_FOUND;
    DWORD error = ERROR_RESOURCE_TYPE_NOT_FOUND;
    ResourceDirectory::UseVersion(resolved, [&](const VersionResource* version) {
        if (version) {
            BuildBlock(*version, data);
            error = ERROR_SUCCESS;
        }
    });
    return error;
}

BOOL Fail(DWORD error)
{
    SetLastError(error);
    return FALSE;
}

} // namespace

DWORD GetFileVersionInfoSize(LPCSTR path, LPDWORD handle)
{
    if (handle)
        *handle = 0;
    std::vector<BYTE> data;
    if (DWORD error = Build(path, data)) {
        SetLastError(error);
        return 0;
    }
    return static_cast<DWORD>(data.size());
}

BOOL GetFileVersionInfo(LPCSTR path, DWORD, DWORD size, LPVOID data)
{
    if (!path || !data)
        return Fail(ERROR_INVALID_PARAMETER);
    std::vector<BYTE> block;
    if (DWORD error = Build(path, block))
        return Fail(error);
    if (size < block.size())
        return Fail(ERROR_INSUFFICIENT_BUFFER);
    std::memcpy(data, block.data(), block.size());
    return TRUE;
}

BOOL VerQueryValue(LPCVOID data, LPCSTR subBlock, LPVOID* value, UINT* length)
{
    if (!data || !subBlock || !value || !length)
        return FALSE;
    const auto* bytes = static_cast<const char*>(data);
    std::string_view query(subBlock);
    if (query == "\\" || query.empty()) {
        *value = const_cast<char*>(bytes);
        *length = sizeof(VS_FIXEDFILEINFO);
        return TRUE;
    }
    const char* translation = bytes + sizeof(VS_FIXEDFILEINFO);
    if (SameText(query, "\\VarFileInfo\\Translation")) {
        *value = const_cast<char*>(translation);
        *length = sizeof(DWORD);
        return TRUE;
    }
    const char* block = translation + sizeof(DWORD);
    const std::string prefix = "\\StringFileInfo\\" + std::string(block) + "\\";
    if (query.size() <= prefix.size() || !SameText(query.substr(0, prefix.size()), prefix))
        return FALSE;
    const std::string_view name = query.substr(prefix.size());
    for (const char* entry = block + std::strlen(block) + 1; *entry;) {
        const char* text = entry + std::strlen(entry) + 1;
        if (SameText(entry, name)) {
            *value = const_cast<char*>(text);
            *length = static_cast<UINT>(std::strlen(text) + 1);
            return TRUE;
        }
        entry = text + std::strlen(text) + 1;
    }
    return FALSE;
}
