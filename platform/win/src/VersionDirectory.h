#pragma once
// The version resources of the loaded modules, found by module path.

#include "win/Version.h"

#include <string>
#include <vector>

class VersionDirectory {
public:
    static void Add(const VersionResource* version);
    static void Remove(const VersionResource* version);

    // The version data block of the module at path (see VerQueryValue), or
    // a Win32 error.
    static DWORD Build(const std::string& path, std::vector<BYTE>& data);
};
