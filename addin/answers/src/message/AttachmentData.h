#pragma once
// The whole of an attachment's data, read through its stream. An answer
// with a long text area runs well past 64 KB; cutting it would drop the
// values after the cut without a word, so it is read whole up to a bound
// far above any real answer, and refused above it.

#include "mapi/IAttachment.h"

#include <string>

enum class AttachmentRead { Whole, Empty, TooLarge, Failed };

inline constexpr std::size_t kMaxFormDataBytes = 16u * 1024 * 1024;

// With TooLarge, `data` holds the first `limit` bytes, so that the caller can
// still tell whether it was meant as an answer.
AttachmentRead ReadAttachmentData(IAttachment* attachment, std::string& data,
                                  std::size_t limit = kMaxFormDataBytes);

// The code page of the charset that the attachment's part declares, 0 when
// it declares none or one that is not known; `charset` gets the name.
UINT DeclaredCodePage(IAttachment* attachment, std::string& charset);
