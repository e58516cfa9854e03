#pragma once
// A mail file named on a command line (`deliver FILE.eml ...`), read whole
// or refused with the reason, so that every program that delivers files
// refuses the same files the same way:
//
//     std::vector<BYTE> mime;
//     std::string reason;
//     if (!pollenta::mapi::ReadMailFile(path, mime, reason))
//         std::fprintf(stderr, "%s was not delivered: %s\n", path.c_str(), reason.c_str());

#include "win/Types.h"

#include <string>
#include <vector>

namespace pollenta::mapi {

// False with `reason` ("it is a directory", "it is empty", "it ended after 4
// of 4096 bytes", ...) for what is not one whole mail file: anything but a
// regular file, an empty file, one that cannot be read, and one that grew,
// shrank or ended early while it was read.
bool ReadMailFile(const std::string& path, std::vector<BYTE>& bytes, std::string& reason);

}  // namespace pollenta::mapi
