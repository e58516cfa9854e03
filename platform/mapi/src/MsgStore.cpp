#include "MsgStore.h"

#include "EntryId.h"
#include "Folder.h"
#include "Message.h"
#include "Notifier.h"

#include <cstring>

namespace pollenta::mapi {

namespace {

constexpr LONGLONG kStoreObject = 0;
constexpr ULONG kKnownEvents = fnevCriticalError | fnevNewMail | fnevObjectCreated | fnevObjectDeleted |
                               fnevObjectModified | fnevObjectMoved | fnevObjectCopied;

struct SpecialTag {
    ULONG tag;
    CStoreFile::Role role;
};
const SpecialTag kSpecialTags[] = {
    {PR_IPM_SUBTREE_ENTRYID, CStoreFile::Role::IpmSubtree},
    {PR_IPM_OUTBOX_ENTRYID, CStoreFile::Role::Outbox},
    {PR_IPM_WASTEBASKET_ENTRYID, CStoreFile::Role::DeletedItems},
    {PR_IPM_SENTMAIL_ENTRYID, CStoreFile::Role::SentItems},
    {PR_IPM_DRAFTS_ENTRYID, CStoreFile::Role::Drafts},
};

}  // namespace

CMsgStore::CMsgStore(CStoreAccess access, bool isDefault)
    : TPropObject<IMsgStore>({IID_IMAPIProp, IID_IMsgStore}), m_access(std::move(access)), m_default(isDefault)
{
    m_props = m_access.File().LoadProps(kStoreObject);
}

std::vector<ULONG> CMsgStore::ComputedTags()
{
    std::vector<ULONG> tags = {PR_ENTRYID,    PR_STORE_ENTRYID,      PR_RECORD_KEY,   PR_STORE_RECORD_KEY,
                               PR_OBJECT_TYPE, PR_STORE_SUPPORT_MASK, PR_MDB_PROVIDER, PR_DEFAULT_STORE};
    for (const SpecialTag& special : kSpecialTags) tags.push_back(special.tag);
    return tags;
}

bool CMsgStore::Computed(ULONG propId, CPropValue& value)
{
    std::string uid(reinterpret_cast<const char*>(m_access.File().Uid().ab), 16);
    for (const SpecialTag& special : kSpecialTags) {
        if (PROP_ID(special.tag) != propId) continue;
        value = CPropValue::Binary(special.tag, m_access.EntryId(MAPI_FOLDER, m_access.File().SpecialFolder(special.role)));
        return true;
    }
    switch (PROP_TAG(PT_UNSPECIFIED, propId)) {
    case PROP_TAG(PT_UNSPECIFIED, PROP_ID(PR_ENTRYID)):
        value = CPropValue::Binary(PR_ENTRYID, m_access.StoreEntryId());
        return true;
    case PROP_TAG(PT_UNSPECIFIED, PROP_ID(PR_STORE_ENTRYID)):
        value = CPropValue::Binary(PR_STORE_ENTRYID, m_access.StoreEntryId());
        return true;
    case PROP_TAG(PT_UNSPECIFIED, PROP_ID(PR_RECORD_KEY)):
        value = CPropValue::Binary(PR_RECORD_KEY, uid);
        return true;
    case PROP_TAG(PT_UNSPECIFIED, PROP_ID(PR_STORE_RECORD_KEY)):
        value = CPropValue::Binary(PR_STORE_RECORD_KEY, uid);
        return true;
    case PROP_TAG(PT_UNSPECIFIED, PROP_ID(PR_MDB_PROVIDER)):
        value = CPropValue::Binary(PR_MDB_PROVIDER, CEntryId::ForStore(MAPIUID{}).substr(4, 16));
        return true;
    case PROP_TAG(PT_UNSPECIFIED, PROP_ID(PR_OBJECT_TYPE)):
        value = CPropValue::Long(PR_OBJECT_TYPE, MAPI_STORE);
        return true;
    case PROP_TAG(PT_UNSPECIFIED, PROP_ID(PR_STORE_SUPPORT_MASK)):
        value = CPropValue::Long(PR_STORE_SUPPORT_MASK, static_cast<LONG>(m_access.SupportMask()));
        return true;
    case PROP_TAG(PT_UNSPECIFIED, PROP_ID(PR_DEFAULT_STORE)):
        value = CPropValue::Bool(PR_DEFAULT_STORE, m_default);
        return true;
    default: return false;
    }
}

void CMsgStore::Save(ULONG) { m_access.File().ReplaceProps(kStoreObject, m_props); }

HRESULT CMsgStore::Advise(ULONG cb, LPENTRYID eid, ULONG mask, LPMAPIADVISESINK sink, ULONG_PTR* connection)
{
    if (!sink || !connection) return MAPI_E_INVALID_PARAMETER;
    *connection = 0;
    if (!mask || (mask & ~kKnownEvents)) return MAPI_E_INVALID_PARAMETER;
    std::string filter = eid && cb ? std::string(reinterpret_cast<const char*>(eid), cb) : std::string();
    *connection = CNotifier::Instance().Advise(m_access.File().Uid(), mask, filter, sink);
    return S_OK;
}

HRESULT CMsgStore::Unadvise(ULONG_PTR connection)
{
    return CNotifier::Instance().Unadvise(connection) ? S_OK : MAPI_E_NOT_FOUND;
}

HRESULT CMsgStore::CompareIds(ULONG cb1, LPENTRYID eid1, ULONG cb2, LPENTRYID eid2, ULONG* result)
{
    if (!result) return MAPI_E_INVALID_PARAMETER;
    *result = FALSE;
    if (CEntryId::Parse(cb1, eid1).m_kind == CEntryId::Kind::Invalid ||
        CEntryId::Parse(cb2, eid2).m_kind == CEntryId::Kind::Invalid)
        return MAPI_E_INVALID_ENTRYID;
    // The four flag bytes say how an id may be used, not what it names.
    *result = cb1 == cb2 && std::memcmp(eid1->ab, eid2->ab, cb1 - 4) == 0;
    return S_OK;
}

HRESULT CMsgStore::CompareEntryIDs(ULONG cb1, LPENTRYID eid1, ULONG cb2, LPENTRYID eid2, ULONG, ULONG* result)
{
    return CompareIds(cb1, eid1, cb2, eid2, result);
}

HRESULT CMsgStore::OpenObject(const CStoreAccess& access, CLastError& lastError, ULONG cb, LPENTRYID eid, LPCIID iid,
                              ULONG flags, ULONG* type, LPUNKNOWN* object)
{
    if (!type || !object) return MAPI_E_INVALID_PARAMETER;
    *object = nullptr;
    *type = 0;
    return lastError.Guard([&] {
        bool writable = access.Writable() && (flags & (MAPI_MODIFY | MAPI_BEST_ACCESS));
        ULONG objectType = 0;
        LONGLONG parent = 0;
        LONGLONG id = 0;
        if (!eid) {
            objectType = MAPI_FOLDER;
            id = access.File().SpecialFolder(CStoreFile::Role::Root);
        } else {
            id = access.ObjectFromEntryId(cb, eid, objectType, parent);
        }
        IUnknown* opened = nullptr;
        if (objectType == MAPI_FOLDER) opened = static_cast<IMAPIFolder*>(new CFolder(access, id, parent, writable));
        else if (objectType == MAPI_MESSAGE) opened = static_cast<IMessage*>(new CMessage(access, id, parent, writable));
        else throw CMapiError(MAPI_E_INVALID_ENTRYID, "The entry id names no folder or message");
        HRESULT hr = opened->QueryInterface(iid ? *iid : IID_IUnknown, reinterpret_cast<void**>(object));
        opened->Release();
        if (FAILED(hr)) throw CMapiError(MAPI_E_INTERFACE_NOT_SUPPORTED, "The object does not have that interface");
        *type = objectType;
        return S_OK;
    });
}

HRESULT CMsgStore::OpenEntry(ULONG cb, LPENTRYID eid, LPCIID iid, ULONG flags, ULONG* type, LPUNKNOWN* object)
{
    if (eid && CEntryId::Parse(cb, eid).m_kind == CEntryId::Kind::Store) {
        if (!type || !object) return MAPI_E_INVALID_PARAMETER;
        ULONG same = FALSE;
        std::string mine = m_access.StoreEntryId();
        CompareIds(cb, eid, static_cast<ULONG>(mine.size()), reinterpret_cast<LPENTRYID>(mine.data()), &same);
        if (!same) return MAPI_E_INVALID_ENTRYID;
        *type = MAPI_STORE;
        return QueryInterface(iid ? *iid : IID_IMsgStore, reinterpret_cast<void**>(object));
    }
    return OpenObject(m_access, m_lastError, cb, eid, iid, flags, type, object);
}

HRESULT CMsgStore::GetReceiveFolder(LPSTR, ULONG flags, ULONG* cb, LPENTRYID* eid, LPSTR* explicitClass)
{
    if (!cb || !eid) return MAPI_E_INVALID_PARAMETER;
    if (flags & MAPI_UNICODE) return MAPI_E_BAD_CHARWIDTH;
    *cb = 0;
    *eid = nullptr;
    if (explicitClass) *explicitClass = nullptr;
    return Guard([&] {
        std::string inbox = m_access.EntryId(MAPI_FOLDER, m_access.File().SpecialFolder(CStoreFile::Role::Inbox));
        if (HRESULT hr = MAPIAllocateBuffer(static_cast<ULONG>(inbox.size()), reinterpret_cast<LPVOID*>(eid)); FAILED(hr))
            return hr;
        std::memcpy(*eid, inbox.data(), inbox.size());
        *cb = static_cast<ULONG>(inbox.size());
        if (explicitClass) {
            // Every class is received in the Inbox, so the class that matched
            // is the default one, "".
            if (HRESULT hr = MAPIAllocateBuffer(1, reinterpret_cast<LPVOID*>(explicitClass)); FAILED(hr)) return hr;
            **explicitClass = '\0';
        }
        return S_OK;
    });
}

HRESULT CMsgStore::AbortSubmit(ULONG cb, LPENTRYID eid, ULONG)
{
    if (!eid) return MAPI_E_INVALID_PARAMETER;
    return Guard([&] {
        ULONG type = 0;
        LONGLONG parent = 0;
        LONGLONG id = 0;
        try {
            id = m_access.ObjectFromEntryId(cb, eid, type, parent);
        } catch (const CMapiError& e) {
            // A message the spooler has already sent has left the queue.
            if (e.Code() == MAPI_E_NOT_FOUND) throw CMapiError(MAPI_E_NOT_IN_QUEUE, "The message is not queued");
            throw;
        }
        CStoreFile& file = m_access.File();
        std::lock_guard lock(file.Mutex());
        if (!file.Dequeue(id)) throw CMapiError(MAPI_E_NOT_IN_QUEUE, "The message is not in the outgoing queue");
        CPropValue flags;
        if (file.LoadProp(id, PROP_ID(PR_MESSAGE_FLAGS), flags))
            file.SetProp(id, CPropValue::Long(PR_MESSAGE_FLAGS, static_cast<LONG>(flags.Int() & ~MSGFLAG_SUBMIT)));
        return S_OK;
    });
}

}  // namespace pollenta::mapi
