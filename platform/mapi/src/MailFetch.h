#pragma once
// Incoming mail fetched from the IMAP mailbox of a profile's account into
// the Inbox of its default store, through the same path as mail delivered by
// hand, so that whoever watches the store hears of each message at once.
// The mailbox's UIDVALIDITY and the last UID taken are kept in the store
// in the transaction that stores the message, so that a message is
// delivered once across kills and restarts; when the UIDVALIDITY changes,
// the mailbox is read again and the Message-IDs already delivered are
// skipped. The messages stay on the server.

#include "Profile.h"

#include <cstddef>

namespace pollenta::mapi {

class CMailFetch {
public:
    // The number of messages delivered; throws CMapiError when the profile
    // has no IMAP mailbox or the server fails (what was delivered until then
    // stays delivered).
    static std::size_t Run(const CProfile& profile);
};

}  // namespace pollenta::mapi
