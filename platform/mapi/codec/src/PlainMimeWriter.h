#pragma once
// Writes the simplest messages straight as bytes: the bytes MimeComposer
// writes for them through GMime (but for the random multipart boundary), at
// a fraction of the cost. Simple means: no attachments and no extra headers,
// header fields of printable ASCII that fit on one line and need neither
// quoting nor encoding, and bodies of 7-bit text.
//
//     if (auto bytes = PlainMimeWriter::Compose(message)) return *bytes;
//     return MimeComposer(message).Compose();

#include "mapi/MimeMessageData.h"

#include <optional>
#include <vector>

class PlainMimeWriter {
public:
    // Null when the message is not simple; GMime writes it then.
    static std::optional<std::vector<BYTE>> Compose(const MimeMessageData& message);
};
