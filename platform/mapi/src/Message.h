#pragma once
// A message of a store, held in memory from opening to SaveChanges; a new
// message reaches the store only when it is saved.

#include "MessageContent.h"
#include "PropObject.h"
#include "StoreAccess.h"
#include "mapi/IMessage.h"

namespace pollenta::mapi {

class CMessage : public TPropObject<IMessage> {
public:
    // id 0: a new message of `folder`.
    CMessage(CStoreAccess access, LONGLONG id, LONGLONG folder, bool writable);

    HRESULT CopyTo(ULONG ciidExclude, LPCIID rgiidExclude, LPSPropTagArray excludeProps, ULONG_PTR ulUIParam,
                   LPMAPIPROGRESS progress, LPCIID iid, LPVOID dest, ULONG flags,
                   LPSPropProblemArray* problems) override;

    HRESULT GetAttachmentTable(ULONG flags, LPMAPITABLE* table) override;
    HRESULT OpenAttach(ULONG num, LPCIID iid, ULONG flags, LPATTACH* attach) override;
    HRESULT CreateAttach(LPCIID iid, ULONG flags, ULONG* num, LPATTACH* attach) override;
    HRESULT DeleteAttach(ULONG num, ULONG_PTR ulUIParam, LPMAPIPROGRESS progress, ULONG flags) override;
    HRESULT GetRecipientTable(ULONG flags, LPMAPITABLE* table) override;
    HRESULT ModifyRecipients(ULONG flags, LPADRLIST mods) override;
    HRESULT SubmitMessage(ULONG flags) override;

    // The message as it stands, unsaved changes included.
    CMessageContent Content() const;

    // An attachment's SaveChanges lands here; the message's own
    // SaveChanges then writes it to the store.
    void StoreAttachment(ULONG num, const CPropMap& props);

protected:
    void Save(ULONG flags) override;
    bool Computed(ULONG propId, CPropValue& value) override;
    std::vector<ULONG> ComputedTags() override;
    bool Writable() override { return m_writable; }
    CStoreFile* NameStore() override { return &m_access.File(); }

private:
    // Writes the message; a submitted one is queued in the same transaction,
    // so that no crash leaves it marked as submitted but never sent.
    void Write(bool enqueue);
    // The properties of an address list entry worth keeping on a recipient.
    static CPropMap RecipientProps(const ADRENTRY& entry);

    CStoreAccess m_access;
    LONGLONG m_id;
    LONGLONG m_folder;
    bool m_writable;
    CMessageContent m_content;
    // The properties as the store holds them, and whether the recipients or
    // attachments differ from the store's, so that a save writes only what
    // changed.
    CPropMap m_storedProps;
    bool m_recipientsChanged = false;
    bool m_attachmentsChanged = false;
    LONG m_nextRowId = 0;
    ULONG m_nextAttachNum = 0;
};

}  // namespace pollenta::mapi
