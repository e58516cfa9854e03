#include "win/Version.h"

#include "CaseFold.h"
#include "VersionDirectory.h"
#include "win/Errors.h"

#include <cstring>
#include <string_view>

namespace {

bool SameText(std::string_view a, std::string_view b) { return CaseFold::FoldText(a) == CaseFold::FoldText(b); }

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
    if (DWORD error = path ? VersionDirectory::Build(path, data) : ERROR_INVALID_PARAMETER) {
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
    if (DWORD error = VersionDirectory::Build(path, block))
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
