#pragma once
// What becomes of a message once its transport has sent it: out of the
// queue, the properties the transport stamped kept, and moved to Sent Items
// (or deleted, as PR_DELETE_AFTER_SUBMIT asks). Done inside the caller's
// transaction of the store.

#include "MessageContent.h"
#include "Notifier.h"

#include <optional>
#include <vector>

namespace pollenta::mapi {

struct SentMessage {
    LONGLONG message = 0;
    LONGLONG waitedIn = 0;  // the folder it was submitted from
    const CMessageContent& content;
    const std::vector<CPropValue>& stamped;
};

// The move's notification, to raise once the transaction is committed, or
// nothing when the message was deleted instead.
std::optional<CEvent> FileAsSent(CStoreFile& store, const SentMessage& sent, LONGLONG sentItems);

}  // namespace pollenta::mapi
