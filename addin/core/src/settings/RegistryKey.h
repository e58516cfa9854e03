#pragma once
// An open registry key that closes itself, with the reads and writes the
// add-in's settings make. Every call returns a Win32 error code.

#include "win/Registry.h"

#include <string>
#include <vector>

class RegistryKey {
public:
    RegistryKey() = default;
    ~RegistryKey() { Close(); }
    RegistryKey(const RegistryKey&) = delete;
    RegistryKey& operator=(const RegistryKey&) = delete;

    LONG Open(HKEY root, const std::string& path, REGSAM access);
    LONG Create(HKEY root, const std::string& path, REGSAM access);
    void Close();
    HKEY Handle() const { return m_key; }

    // ERROR_INVALID_DATA when the value has another type.
    LONG ReadNumber(const char* name, DWORD& value) const;
    LONG ReadText(const char* name, std::string& text) const;
    LONG ReadBinary(const char* name, std::vector<BYTE>& bytes) const;
    // The names of all values, however long.
    LONG ValueNames(std::vector<std::string>& names) const;

    LONG WriteNumber(const char* name, DWORD value) const;
    // Written with its closing NUL.
    LONG WriteText(const char* name, const std::string& text) const;
    LONG WriteBinary(const char* name, const std::vector<BYTE>& bytes) const;

private:
    HKEY m_key = nullptr;
};
