#pragma once
// What a store remembers of the IMAP mailboxes it takes mail from: per
// mailbox URL its UIDVALIDITY and the last UID taken, and the Message-IDs
// delivered from it. Read and written inside the caller's transaction.

#include "StoreFile.h"

#include <string>

namespace pollenta::mapi {

class CFetchState {
public:
    // Makes the tables when the store has none yet.
    CFetchState(CStoreFile& store, std::string mailbox);

    struct Position {
        ULONG uidValidity = 0;
        ULONG lastUid = 0;
    };
    Position Read();
    void Write(const Position& position);
    bool Delivered(const std::string& messageId);
    void RecordDelivered(const std::string& messageId);

private:
    CStoreFile& m_store;
    std::string m_mailbox;
};

}  // namespace pollenta::mapi
