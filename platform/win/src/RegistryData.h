#pragma once
// Names and data between callers and the registry files: the files keep
// UTF-8 while callers speak the ANSI code page, and buffers follow the
// Windows size rules.

#include "RegistryNode.h"
#include "win/Registry.h"

#include <string>
#include <string_view>
#include <vector>

class RegistryData {
public:
    static std::string StoredName(LPCSTR name);
    static std::string StoredName(std::string_view name);

    // What RegSetValueEx keeps: strings with exactly one terminating NUL
    // (two for multi-strings) whatever the caller counted, so every reader
    // gets a terminated string.
    static std::vector<BYTE> StoredData(DWORD type, const BYTE* data, DWORD dataSize);

    // Hands stored data to a caller's buffer: without a buffer only the
    // size, with one too small ERROR_MORE_DATA and the size needed.
    static LONG CopyData(const RegistryValue& value, LPDWORD type, LPBYTE data, LPDWORD dataSize);
    // Hands a name to a buffer whose size in characters counts the NUL.
    static LONG CopyName(const std::string& storedName, LPSTR buffer, LPDWORD size);
};
