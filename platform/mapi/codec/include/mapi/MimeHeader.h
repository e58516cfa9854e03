#pragma once

#include <string>

// A header as it stood in the message: its name, and its value unfolded with
// encoded words decoded to UTF-8.
struct MimeHeader {
    std::string name;
    std::string value;

    bool operator==(const MimeHeader&) const = default;
};
