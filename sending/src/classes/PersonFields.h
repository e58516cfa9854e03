#pragma once
// What the component tells a client about one recipient (ANSI texts).

#include <string>

struct PersonFields {
    std::string addressType;
    std::string address;
    // The address book entry id as upper-case hexadecimal text.
    std::string addressEntryId;
    std::string smtpAddress;
    std::string displayName;
    std::string distListName;
};
