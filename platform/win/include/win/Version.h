#pragma once
// Version resources. A module declares its version at namespace scope,
// once, and the version functions find it by the module's file path for as
// long as the module is loaded:
//
//     const VersionString kVersionStrings[] = {{"ProductName", "Pollenta"}, {"FileVersion", "1.4.0"}};
//     const VersionResource kVersion(MAKELONG(4, 1), MAKELONG(0, 0), "040904B0", kVersionStrings);
//
// A path of a module that declares no version gives
// ERROR_RESOURCE_TYPE_NOT_FOUND, as a file without version resource does.

#include "win/Types.h"

#include <span>

struct VS_FIXEDFILEINFO {
    DWORD dwSignature;
    DWORD dwStrucVersion;
    DWORD dwFileVersionMS;
    DWORD dwFileVersionLS;
    DWORD dwProductVersionMS;
    DWORD dwProductVersionLS;
    DWORD dwFileFlagsMask;
    DWORD dwFileFlags;
    DWORD dwFileOS;
    DWORD dwFileType;
    DWORD dwFileSubtype;
    DWORD dwFileDateMS;
    DWORD dwFileDateLS;
};

struct VersionString {
    const char* name;
    const char* value;
};

class VersionResource {
public:
    // block is the language and code page of the strings in hex, e.g.
    // "040904B0"; the product version is the file version.
    VersionResource(DWORD fileVersionMS, DWORD fileVersionLS, const char* block, std::span<const VersionString> strings);
    ~VersionResource();
    VersionResource(const VersionResource&) = delete;
    VersionResource& operator=(const VersionResource&) = delete;

    DWORD FileVersionMS() const { return m_fileVersionMS; }
    DWORD FileVersionLS() const { return m_fileVersionLS; }
    const char* Block() const { return m_block; }
    std::span<const VersionString> Strings() const { return m_strings; }

private:
    DWORD m_fileVersionMS;
    DWORD m_fileVersionLS;
    const char* m_block;
    std::span<const VersionString> m_strings;
};

DWORD GetFileVersionInfoSize(LPCSTR path, LPDWORD handle);
BOOL GetFileVersionInfo(LPCSTR path, DWORD handle, DWORD size, LPVOID data);
// "\\" gives the VS_FIXEDFILEINFO, "\\StringFileInfo\\<block>\\<name>" a
// string (length in characters with the NUL) and "\\VarFileInfo\\Translation"
// the language and code page pair. The pointer points into data.
BOOL VerQueryValue(LPCVOID data, LPCSTR subBlock, LPVOID* value, UINT* length);
