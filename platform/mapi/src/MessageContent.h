#pragma once
// A whole message in memory: its properties, its recipients (keyed by
// PR_ROWID) and its attachments (keyed by PR_ATTACH_NUM), read from and
// written to a store file in one step.

#include "StoreFile.h"

#include <map>
#include <vector>

namespace pollenta::mapi {

class CMessageContent {
public:
    static CMessageContent Load(CStoreFile& store, LONGLONG id);
    // Writes into a new message of `folder`; returns its id. With `enqueue`
    // the message joins the submission queue in the same transaction.
    LONGLONG SaveNew(CStoreFile& store, LONGLONG folder, bool enqueue = false);
    // Writes each of `messages` into a new message of `folder`, all in one
    // transaction: every one is written or none. Their ids, in order.
    static std::vector<LONGLONG> SaveNewAll(CStoreFile& store, LONGLONG folder,
                                            std::vector<CMessageContent>& messages);
    // Writes into a new message of `folder` inside the caller's transaction
    // and lock of the store; returns its id.
    LONGLONG WriteNew(CStoreFile& store, LONGLONG folder);
    // What changed since the message was read or last written.
    struct Changes {
        const CPropMap& storedProps;
        bool recipients = false;
        bool attachments = false;
    };
    // Writes into message `id` what differs from `changes.storedProps` and
    // the recipients and attachments when they changed.
    void Save(CStoreFile& store, LONGLONG id, const Changes& changes, bool enqueue = false);

    // Fills in what a store keeps up to date on saving: flags, sizes, the
    // display lists of recipients, times, the attachment mark.
    void UpdateDerived();

    CPropMap m_props;
    std::vector<CPropMap> m_recipients;
    std::map<ULONG, CPropMap> m_attachments;

private:
    void WriteRecipients(CStoreFile& store, LONGLONG id);
    void WriteAttachments(CStoreFile& store, LONGLONG id);
};

}  // namespace pollenta::mapi
