#include "win/Resources.h"

#include "ResourceDirectory.h"
#include "win/CodePage.h"
#include "win/Errors.h"
#include "win/Module.h"

#include <algorithm>
#include <cstring>

ResourceTables::ResourceTables(std::span<const StringResource> strings, std::span<const MessageResource> messages,
                               ResourceScope scope)
    : m_module(nullptr)
{
    // The object lives in the module that declares it, so its own address
    // names that module.
    GetModuleHandleEx(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                      reinterpret_cast<LPCSTR>(this), &m_module);
    ResourceDirectory::Add(this, m_module, strings, messages, scope);
}

ResourceTables::~ResourceTables() { ResourceDirectory::Remove(this); }

int LoadString(HINSTANCE module, UINT id, LPSTR buffer, int bufferSize)
{
    if (!module)
        module = GetModuleHandle(nullptr);
    const char* text = ResourceDirectory::FindString(module, id);
    if (!text) {
        SetLastError(ERROR_RESOURCE_NAME_NOT_FOUND);
        return 0;
    }
    if (!buffer || bufferSize <= 0) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return 0;
    }
    const std::string shown = Recode(text, CP_UTF8, CP_ACP);
    size_t length = std::min(shown.size(), static_cast<size_t>(bufferSize - 1));
    // Cutting UTF-8 text keeps whole characters.
    if (GetACP() == CP_UTF8)
        while (length > 0 && length < shown.size() && (static_cast<unsigned char>(shown[length]) & 0xC0) == 0x80)
            --length;
    std::memcpy(buffer, shown.data(), length);
    buffer[length] = '\0';
    return static_cast<int>(length);
}

LANGID GetUserDefaultUILanguage() { return MAKELANGID(LANG_ENGLISH, SUBLANG_DEFAULT); }
