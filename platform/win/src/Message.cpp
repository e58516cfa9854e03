#include "win/Message.h"

#include "MessageFormatter.h"
#include "ResourceDirectory.h"
#include "win/CodePage.h"
#include "win/Errors.h"
#include "win/Memory.h"
#include "win/Module.h"

#include <cstring>

namespace {

DWORD Fail(DWORD error)
{
    SetLastError(error);
    return 0;
}

// Finds a table message: the module's first when asked, then the system's,
// where a Win32 error wrapped in an HRESULT reads as the error itself.
DWORD FindText(DWORD flags, LPCVOID source, DWORD id, DWORD language, std::string& text)
{
    ResourceDirectory::Lookup result = ResourceDirectory::Lookup::NoMessage;
    const char* found = nullptr;
    if (flags & FORMAT_MESSAGE_FROM_HMODULE) {
        HMODULE module = source ? const_cast<HMODULE>(source) : GetModuleHandle(nullptr);
        result = ResourceDirectory::FindMessage(module, false, id, language, found);
    }
    if (result == ResourceDirectory::Lookup::NoMessage && (flags & FORMAT_MESSAGE_FROM_SYSTEM)) {
        result = ResourceDirectory::FindMessage(nullptr, true, id, language, found);
        if (result == ResourceDirectory::Lookup::NoMessage && HRESULT_FACILITY(static_cast<HRESULT>(id)) == FACILITY_WIN32 &&
            (id & 0x80000000u))
            result = ResourceDirectory::FindMessage(nullptr, true, HRESULT_CODE(static_cast<HRESULT>(id)), language, found);
    }
    if (result == ResourceDirectory::Lookup::NoMessage)
        return ERROR_MR_MID_NOT_FOUND;
    if (result == ResourceDirectory::Lookup::NoLanguage)
        return ERROR_RESOURCE_LANG_NOT_FOUND;
    // Tables are written in UTF-8; the line break that ends a compiled
    // message is added here.
    text = Recode(found, CP_UTF8, CP_ACP);
    if (text.size() < 2 || text.compare(text.size() - 2, 2, "%0") != 0)
        text += "\r\n";
    return ERROR_SUCCESS;
}

} // namespace

DWORD FormatMessage(DWORD flags, LPCVOID source, DWORD messageId, DWORD languageId, LPSTR buffer, DWORD size,
                    va_list* arguments)
{
    if (!buffer)
        return Fail(ERROR_INVALID_PARAMETER);
    std::string text;
    if (flags & FORMAT_MESSAGE_FROM_STRING) {
        if (!source)
            return Fail(ERROR_INVALID_PARAMETER);
        text = static_cast<const char*>(source);
    } else if (!(flags & (FORMAT_MESSAGE_FROM_HMODULE | FORMAT_MESSAGE_FROM_SYSTEM))) {
        return Fail(ERROR_INVALID_PARAMETER);
    } else if (DWORD error = FindText(flags, source, messageId, languageId, text)) {
        return Fail(error);
    }

    std::string out;
    bool ended = false;
    if (DWORD error = MessageFormatter::Expand(text, flags, arguments, out, ended))
        return Fail(error);

    if (flags & FORMAT_MESSAGE_ALLOCATE_BUFFER) {
        const size_t bytes = std::max<size_t>(out.size() + 1, size);
        auto* allocated = static_cast<char*>(LocalAlloc(LMEM_FIXED, bytes));
        if (!allocated)
            return Fail(ERROR_NOT_ENOUGH_MEMORY);
        std::memcpy(allocated, out.c_str(), out.size() + 1);
        *reinterpret_cast<LPSTR*>(buffer) = allocated;
    } else {
        if (out.size() + 1 > size)
            return Fail(ERROR_INSUFFICIENT_BUFFER);
        std::memcpy(buffer, out.c_str(), out.size() + 1);
    }
    return static_cast<DWORD>(out.size());
}
