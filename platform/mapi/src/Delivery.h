#pragma once
// Delivery of a MIME message into a folder of a store, with the properties
// a store sets and the new-mail and object-created notifications.

#include "StoreFile.h"
#include "win/Types.h"

#include <span>

namespace pollenta::mapi {

class CDelivery {
public:
    // The new message's id. A damaged message is delivered with what could
    // be read.
    static LONGLONG Deliver(CStoreFile& store, LONGLONG folder, std::span<const BYTE> mime);
};

}  // namespace pollenta::mapi
