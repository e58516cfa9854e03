#pragma once
// A message store opened through a session.

#include "PropObject.h"
#include "StoreAccess.h"
#include "mapi/IMsgStore.h"

namespace pollenta::mapi {

class CMsgStore : public TPropObject<IMsgStore> {
public:
    CMsgStore(CStoreAccess access, bool isDefault);

    HRESULT Advise(ULONG cb, LPENTRYID eid, ULONG mask, LPMAPIADVISESINK sink, ULONG_PTR* connection) override;
    HRESULT Unadvise(ULONG_PTR connection) override;
    HRESULT CompareEntryIDs(ULONG cb1, LPENTRYID eid1, ULONG cb2, LPENTRYID eid2, ULONG flags, ULONG* result) override;
    HRESULT OpenEntry(ULONG cb, LPENTRYID eid, LPCIID iid, ULONG flags, ULONG* type, LPUNKNOWN* object) override;
    HRESULT GetReceiveFolder(LPSTR messageClass, ULONG flags, ULONG* cb, LPENTRYID* eid, LPSTR* explicitClass) override;
    HRESULT AbortSubmit(ULONG cb, LPENTRYID eid, ULONG flags) override;

    const CStoreAccess& Access() const { return m_access; }

    // Opens a folder or message of the store that `access` reaches.
    static HRESULT OpenObject(const CStoreAccess& access, CLastError& lastError, ULONG cb, LPENTRYID eid, LPCIID iid,
                              ULONG flags, ULONG* type, LPUNKNOWN* object);
    // Byte-wise comparison of two valid entry ids, flags aside.
    static HRESULT CompareIds(ULONG cb1, LPENTRYID eid1, ULONG cb2, LPENTRYID eid2, ULONG* result);

protected:
    void Save(ULONG flags) override;
    bool Computed(ULONG propId, CPropValue& value) override;
    std::vector<ULONG> ComputedTags() override;
    bool Writable() override { return m_access.Writable(); }
    CStoreFile* NameStore() override { return &m_access.File(); }

private:
    CStoreAccess m_access;
    bool m_default;
};

}  // namespace pollenta::mapi
