#pragma once
// Binary values (entry ids, search keys) as the text the object model and the
// macros carry: two upper-case hexadecimal digits per byte.

#include "mapi/MapiTypes.h"

#include <string>

std::string HexTextOfBytes(ULONG count, const BYTE* bytes);
// The bytes of `text` in a MAPI buffer the caller frees; FALSE when the
// buffer cannot be had or the text is not hexadecimal.
BOOL BytesOfHexText(const std::string& text, LPBYTE* bytes, ULONG* count);
