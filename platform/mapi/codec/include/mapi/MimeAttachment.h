#pragma once

#include "mapi/MimeHeader.h"
#include "win/Types.h"

#include <string>
#include <vector>

// A part of a message that is not one of its text bodies: a file, a picture
// the HTML body shows through "cid:", an embedded message, form data.
struct MimeAttachment {
    std::string fileName;    // decoded UTF-8; empty when the part names no file
    std::string contentType; // "type/subtype", lower case
    std::string contentId;   // without the angle brackets
    bool isInline = false;   // shown inside the body rather than offered as a file
    std::vector<BYTE> data;  // transfer encoding removed, bytes as sent
    std::vector<MimeHeader> headers; // the part's own headers, in order (read only)
    std::string charset;             // the part's charset parameter, lower case; empty when it names none
};
