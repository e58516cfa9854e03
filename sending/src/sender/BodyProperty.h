#pragma once
// A message's bodies read and written through property streams: text
// properties as they are, the RTF body through the compressed-RTF wrapper.

#include "mapi/IMessage.h"

#include <string>

// Text formats of a body, as the RTF body tells them.
enum class BodyFormat { Plain = 0, Rtf = 1, Html = 2 };

HRESULT ReadTextProperty(IMessage* message, ULONG tag, std::string& text);
// Writes a non-empty text; the caller saves the message.
HRESULT WriteTextProperty(IMessage* message, ULONG tag, const std::string& text);
// The uncompressed RTF body, or only its first 64 KiB.
HRESULT ReadRtfBody(IMessage* message, std::string& text, bool firstChunkOnly);
// Writes a non-empty RTF text compressed (or stored uncompressed where the
// store supports that) and syncs the message's bodies; the caller saves it.
HRESULT WriteRtfBody(IMessage* message, const std::string& text);
// From the first "\from" word of the RTF body; fails when there is no RTF.
HRESULT DetectBodyFormat(IMessage* message, BodyFormat& format);
