#pragma once
// A folder of a store: its messages and subfolders as tables, and the
// operations that create, copy, move and delete them.

#include "PropObject.h"
#include "StoreAccess.h"
#include "mapi/IMAPIFolder.h"

namespace pollenta::mapi {

class CFolder : public TPropObject<IMAPIFolder> {
public:
    CFolder(CStoreAccess access, LONGLONG id, LONGLONG parent, bool writable);

    HRESULT GetContentsTable(ULONG flags, LPMAPITABLE* table) override;
    HRESULT GetHierarchyTable(ULONG flags, LPMAPITABLE* table) override;
    HRESULT OpenEntry(ULONG cb, LPENTRYID eid, LPCIID iid, ULONG flags, ULONG* type, LPUNKNOWN* object) override;
    HRESULT CreateMessage(LPCIID iid, ULONG flags, LPMESSAGE* message) override;
    HRESULT CopyMessages(LPENTRYLIST list, LPCIID iid, LPVOID dest, ULONG_PTR ulUIParam, LPMAPIPROGRESS progress,
                         ULONG flags) override;
    HRESULT DeleteMessages(LPENTRYLIST list, ULONG_PTR ulUIParam, LPMAPIPROGRESS progress, ULONG flags) override;
    HRESULT CreateFolder(ULONG folderType, LPSTR name, LPSTR comment, LPCIID iid, ULONG flags,
                         IMAPIFolder** folder) override;

    LONGLONG Id() const { return m_id; }

protected:
    void Save(ULONG flags) override;
    bool Computed(ULONG propId, CPropValue& value) override;
    std::vector<ULONG> ComputedTags() override { return CStoreAccess::ComputedTags(MAPI_FOLDER); }
    bool Writable() override { return m_writable; }
    CStoreFile* NameStore() override { return &m_access.File(); }

private:
    // A table of the folder's children of `type` (messages or folders).
    HRESULT ChildTable(ULONG type, std::vector<ULONG> columns, LPMAPITABLE* table);
    void CopyOne(const SBinary& eid, CFolder& target, bool move);

    CStoreAccess m_access;
    LONGLONG m_id;
    LONGLONG m_parent;
    bool m_writable;
};

}  // namespace pollenta::mapi
