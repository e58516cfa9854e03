#pragma once
// Every registered resource of every loaded module: string and message
// tables, with the language rules by which a text is chosen from them, and
// version resources.

#include "win/Resources.h"
#include "win/Version.h"

#include <functional>
#include <string>

class ResourceDirectory {
public:
    static void Add(const ResourceTables* owner, HMODULE module, std::span<const StringResource> strings,
                    std::span<const MessageResource> messages, ResourceScope scope);
    static void Remove(const ResourceTables* owner);

    // Null when the module has no such string.
    static const char* FindString(HMODULE module, UINT id);

    enum class Lookup { Found, NoMessage, NoLanguage };
    // System scope searches the tables of system scope.
    static Lookup FindMessage(HMODULE module, bool system, DWORD id, DWORD language, const char*& text);

    static void AddVersion(const VersionResource* version);
    static void RemoveVersion(const VersionResource* version);
    // Calls use with the version of the module whose absolute path is given
    // (null when it declares none), while the version cannot go away.
    static void UseVersion(const std::string& path, const std::function<void(const VersionResource* version)>& use);
};
