#pragma once
// A message's properties, recipients and attachments as a MIME message and
// back, with the properties a store sets on delivery.

#include "MessageContent.h"
#include "mapi/MimeMessageData.h"

namespace pollenta::mapi {

class CMimeBridge {
public:
    static MimeMessageData ToMime(const CMessageContent& content);
    // `deliveryTime` in FILETIME ticks.
    static CMessageContent FromMime(const MimeMessageData& mime, LONGLONG deliveryTime);
};

}  // namespace pollenta::mapi
