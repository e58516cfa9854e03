#pragma once
// BSTR: UTF-16 text with its byte length stored in the four bytes before the
// first character and a NUL after the last. A null BSTR reads as "".

#include "win/Types.h"

using BSTR = OLECHAR*;
using LPBSTR = BSTR*;

extern "C" {
BSTR SysAllocString(LPCOLESTR text);
// Copies `length` characters (embedded NULs kept); a null `text` leaves them zeroed.
BSTR SysAllocStringLen(const OLECHAR* text, UINT length);
// Copies `length` bytes; the string may have an odd byte length.
BSTR SysAllocStringByteLen(LPCSTR bytes, UINT length);
// Replaces *target with a copy of `text`; FALSE (and *target kept) when memory runs out.
INT SysReAllocString(BSTR* target, LPCOLESTR text);
INT SysReAllocStringLen(BSTR* target, const OLECHAR* text, UINT length);
void SysFreeString(BSTR text);
UINT SysStringLen(BSTR text);
UINT SysStringByteLen(BSTR text);
}
