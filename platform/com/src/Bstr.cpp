#include "com/Bstr.h"

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <limits>

namespace {

// Layout: [byte length: 4 bytes][characters][NUL: 2 bytes]. The length
// prefix sits right before the text so that SysStringLen is O(1) and
// embedded NULs survive.
constexpr size_t kPrefix = sizeof(std::uint32_t);

BSTR AllocateBytes(const void* bytes, UINT byteLength)
{
    if (byteLength > std::numeric_limits<std::uint32_t>::max() - kPrefix - sizeof(OLECHAR) - 1) return nullptr;
    // One spare byte so that an odd byte length still ends in a whole NUL character.
    const size_t total = kPrefix + byteLength + sizeof(OLECHAR) + 1;
    auto* block = static_cast<unsigned char*>(std::malloc(total));
    if (!block) return nullptr;
    const std::uint32_t length = byteLength;
    std::memcpy(block, &length, kPrefix);
    if (bytes)
        std::memcpy(block + kPrefix, bytes, byteLength);
    else
        std::memset(block + kPrefix, 0, byteLength);
    std::memset(block + kPrefix + byteLength, 0, sizeof(OLECHAR) + 1);
    return reinterpret_cast<BSTR>(block + kPrefix);
}

unsigned char* BlockOf(BSTR text) { return reinterpret_cast<unsigned char*>(text) - kPrefix; }

}  // namespace

extern "C" {

BSTR SysAllocString(LPCOLESTR text)
{
    if (!text) return nullptr;
    UINT length = 0;
    while (text[length]) ++length;
    return SysAllocStringLen(text, length);
}

BSTR SysAllocStringLen(const OLECHAR* text, UINT length)
{
    if (length > std::numeric_limits<UINT>::max() / sizeof(OLECHAR)) return nullptr;
    return AllocateBytes(text, length * sizeof(OLECHAR));
}

BSTR SysAllocStringByteLen(LPCSTR bytes, UINT length) { return AllocateBytes(bytes, length); }

INT SysReAllocString(BSTR* target, LPCOLESTR text)
{
    if (!target) return FALSE;
    BSTR copy = SysAllocString(text);
    if (text && !copy) return FALSE;
    SysFreeString(*target);
    *target = copy;
    return TRUE;
}

INT SysReAllocStringLen(BSTR* target, const OLECHAR* text, UINT length)
{
    if (!target) return FALSE;
    BSTR copy = SysAllocStringLen(text, length);
    if (!copy) return FALSE;
    SysFreeString(*target);
    *target = copy;
    return TRUE;
}

void SysFreeString(BSTR text)
{
    if (text) std::free(BlockOf(text));
}

UINT SysStringByteLen(BSTR text)
{
    if (!text) return 0;
    std::uint32_t length;
    std::memcpy(&length, BlockOf(text), kPrefix);
    return length;
}

UINT SysStringLen(BSTR text) { return SysStringByteLen(text) / sizeof(OLECHAR); }

}
