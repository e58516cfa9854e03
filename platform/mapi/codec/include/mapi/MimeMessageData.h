#pragma once

#include "mapi/MimeAddress.h"
#include "mapi/MimeAttachment.h"
#include "mapi/MimeHeader.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

// A mail message taken apart: what the MAPI layer stores as message
// properties, recipients and attachments. All text is UTF-8.
struct MimeMessageData {
    std::string subject;
    MimeAddress from;
    std::vector<MimeAddress> to;
    std::vector<MimeAddress> cc;
    std::vector<MimeAddress> bcc;
    std::optional<std::int64_t> date; // the Date header, seconds since 1970 UTC
    std::string messageId;            // without the angle brackets
    std::string plainBody;
    std::string htmlBody;
    std::string charset; // the charset the bodies were sent in; composing always writes UTF-8
    std::vector<MimeAttachment> attachments;
    // Every header of the message, in order. Composing writes those that the
    // fields above do not already stand for, and skips names that are not
    // valid header names.
    std::vector<MimeHeader> headers;
    // What could not be read as it should: damaged structure, unknown charset,
    // cut-off data. Empty for a sound message.
    std::vector<std::string> warnings;
};
