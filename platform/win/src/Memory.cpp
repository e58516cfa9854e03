#include "win/Memory.h"

#include <cstdlib>

HLOCAL LocalAlloc(UINT flags, size_t bytes)
{
    // A zero-byte request still gives a block that can be freed.
    return (flags & LMEM_ZEROINIT) ? std::calloc(bytes ? bytes : 1, 1) : std::malloc(bytes ? bytes : 1);
}

HLOCAL LocalFree(HLOCAL memory)
{
    std::free(memory);
    return nullptr;
}
