#pragma once
// Mail messages in Internet format (RFC 5322 with MIME), read and written
// with GMime.

#include "mapi/MimeMessageData.h"
#include "win/Types.h"

#include <cstddef>
#include <span>
#include <vector>

// Messages larger than this are read only up to this size.
inline constexpr std::size_t kMaxMimeMessageSize = 128u * 1024 * 1024;

// Never fails: whatever can be read is returned, and anything damaged,
// missing or guessed is listed in `warnings`.
MimeMessageData ParseMime(std::span<const BYTE> message, std::size_t maxSize = kMaxMimeMessageSize);

// The plain and HTML bodies become multipart/alternative; inline attachments
// with a content id travel with the HTML in multipart/related; the rest are
// attached in multipart/mixed. Lines end in CRLF.
std::vector<BYTE> ComposeMime(const MimeMessageData& message);
