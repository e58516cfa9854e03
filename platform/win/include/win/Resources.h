#pragma once
// String tables and message tables compiled into a module. A module lists
// its texts in arrays and declares one ResourceTables object at namespace
// scope; from then until the module is unloaded, LoadString and
// FormatMessage find the texts under the module's handle:
//
//     const StringResource kStrings[] = {{101, "Pollenta"}, {119, "Choose a folder"}};
//     const MessageResource kMessages[] = {{0xE00022CA, 1033, "Cannot open %1"}};
//     const ResourceTables kTables(kStrings, kMessages);
//
// Texts are written in UTF-8 and handed out in the ANSI code page. A message
// is written as in a message compiler source: the line break that ends it
// is added as that compiler would add it (none when it ends in "%0").

#include "win/Types.h"

#include <span>

inline constexpr LANGID LANG_NEUTRAL = 0x00;
inline constexpr LANGID LANG_ENGLISH = 0x09;
inline constexpr LANGID LANG_GERMAN = 0x07;
inline constexpr LANGID LANG_RUSSIAN = 0x19;
inline constexpr WORD SUBLANG_NEUTRAL = 0x00;
inline constexpr WORD SUBLANG_DEFAULT = 0x01;

struct StringResource {
    UINT id;
    const char* text;
    LANGID language = 0; // 0: any language
};

struct MessageResource {
    DWORD id;
    LANGID language; // 0: any language
    const char* text;
};

// System scope is for platform libraries whose error codes belong to the
// system's own texts (FORMAT_MESSAGE_FROM_SYSTEM).
enum class ResourceScope { Module, System };

class ResourceTables {
public:
    ResourceTables(std::span<const StringResource> strings, std::span<const MessageResource> messages = {},
                   ResourceScope scope = ResourceScope::Module);
    ~ResourceTables();
    ResourceTables(const ResourceTables&) = delete;
    ResourceTables& operator=(const ResourceTables&) = delete;

private:
    HMODULE m_module;
};

// Copies at most bufferSize - 1 characters and a NUL; returns the number of
// characters copied, 0 (with ERROR_RESOURCE_NAME_NOT_FOUND) when the module
// has no such string. A null module means the program.
int LoadString(HINSTANCE module, UINT id, LPSTR buffer, int bufferSize);

// The language LoadString prefers; 1033 (US English) unless changed.
LANGID GetUserDefaultUILanguage();
