#pragma once
// Delivery of a MIME message into a folder of a store, with the properties
// a store sets and the new-mail and object-created notifications.

#include "MessageContent.h"
#include "StoreFile.h"
#include "win/Types.h"

#include <span>
#include <vector>

namespace pollenta::mapi {

class CDelivery {
public:
    // The new message's id. A damaged message is delivered with what could
    // be read.
    static LONGLONG Deliver(CStoreFile& store, LONGLONG folder, std::span<const BYTE> mime);
    // Several messages in one transaction, all or none: a backlog then costs
    // the store one commit, and its lock one taking, for the lot. Their ids,
    // in order; the notifications follow once all are stored.
    static std::vector<LONGLONG> DeliverAll(CStoreFile& store, LONGLONG folder,
                                            const std::vector<std::span<const BYTE>>& mimes);
    // The message as delivery stores it, for callers that write it in a
    // transaction of their own.
    static CMessageContent Read(std::span<const BYTE> mime);
    // The notifications of a message delivered so, once it is committed.
    static void Announce(const CStoreFile& store, LONGLONG folder, LONGLONG id, const std::string& messageClass);
};

}  // namespace pollenta::mapi
