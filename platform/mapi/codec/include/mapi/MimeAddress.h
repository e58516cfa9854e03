#pragma once

#include <string>

// One mailbox of an address header; the name is decoded UTF-8 and may be empty.
struct MimeAddress {
    std::string name;
    std::string address;

    bool operator==(const MimeAddress&) const = default;
};
