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
    // Replaces what message `id` holds.
    void Save(CStoreFile& store, LONGLONG id, bool enqueue = false);

    // Fills in what a store keeps up to date on saving: flags, sizes, the
    // display lists of recipients, times, the attachment mark.
    void UpdateDerived();

    CPropMap m_props;
    std::vector<CPropMap> m_recipients;
    std::map<ULONG, CPropMap> m_attachments;

private:
    void WriteChildren(CStoreFile& store, LONGLONG id);
};

}  // namespace pollenta::mapi
