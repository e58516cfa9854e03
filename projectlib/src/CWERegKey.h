#pragma once
// An open registry key that closes itself, with the few reads and writes the
// project store needs. Reads that exceed their buffer limit fail, so callers
// treat an oversized value like a missing one.

#include "win/Registry.h"

#include <optional>
#include <string>
#include <vector>

class CWERegKey {
public:
    CWERegKey() = default;
    CWERegKey(const CWERegKey&) = delete;
    CWERegKey& operator=(const CWERegKey&) = delete;
    CWERegKey(CWERegKey&& other) noexcept;
    CWERegKey& operator=(CWERegKey&& other) noexcept;
    ~CWERegKey();

    LONG Open(HKEY parent, const std::string& subKey, REGSAM access = KEY_READ);
    // Creates the key when missing; created tells whether it is new.
    LONG Create(HKEY parent, const std::string& subKey, bool* created = nullptr);
    void Close();
    bool IsOpen() const { return m_key != nullptr; }
    HKEY Handle() const { return m_key; }

    // maxBytes counts the terminating NUL, as the Win32 buffer sizes do.
    std::optional<std::string> QueryText(const char* name, DWORD maxBytes) const;
    std::optional<DWORD> QueryNumber(const char* name) const;
    LONG SetText(const char* name, const std::string& text);
    LONG SetNumber(const char* name, DWORD value);

    // Names of the direct subkeys, read in full before the caller acts on
    // them, so that deleting while walking skips nothing. Names longer than
    // maxChars are left out.
    std::vector<std::string> SubkeyNames(DWORD maxChars) const;

private:
    HKEY m_key = nullptr;
};
