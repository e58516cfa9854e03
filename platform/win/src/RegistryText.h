#pragma once
// The text form of one registry root: the ".reg" format of the registry
// editor, version 5.00, in UTF-8. Each key is a section of its own, written
// before its subkeys, so reading the text back keeps the order of keys and
// values.

#include "RegistryNode.h"

#include <memory>
#include <string>
#include <string_view>

class RegistryText {
public:
    struct ParseResult {
        std::unique_ptr<RegistryNode> root; // null when the text is damaged
        size_t errorLine = 0;
        std::string error;
    };

    // rootName is the section prefix, e.g. "HKEY_CURRENT_USER".
    static ParseResult Parse(std::string_view text, const std::string& rootName);
    static std::string Write(const RegistryNode& root, const std::string& rootName);

    // Whether a key or value name can stand in the text. A line break would
    // end the name's line and leave the rest of the file unreadable; a NUL
    // cannot come back through the registry functions.
    static bool HoldsName(std::string_view name);
};
