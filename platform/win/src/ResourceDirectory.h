#pragma once
// Every registered table of every loaded module, and the language rules by
// which a text is chosen from them.

#include "win/Resources.h"

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
};
