#pragma once
// The local heap, for buffers that platform functions allocate for their
// callers (FormatMessage with FORMAT_MESSAGE_ALLOCATE_BUFFER).

#include "win/Types.h"

using HLOCAL = void*;

inline constexpr UINT LMEM_FIXED = 0x0000;
inline constexpr UINT LMEM_ZEROINIT = 0x0040;
inline constexpr UINT LPTR = LMEM_FIXED | LMEM_ZEROINIT;

HLOCAL LocalAlloc(UINT flags, size_t bytes);
// Returns null on success, as on Windows.
HLOCAL LocalFree(HLOCAL memory);
