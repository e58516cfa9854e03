#include "StoreAccess.h"

#include "EntryId.h"
#include "MapiError.h"
#include "Notifier.h"
#include "mapi/MapiFlags.h"

namespace pollenta::mapi {

std::string CStoreAccess::StoreEntryId() const { return CEntryId::ForStore(m_file->Uid()); }

std::string CStoreAccess::EntryId(ULONG type, LONGLONG id) const { return CEntryId::ForObject(m_file->Uid(), type, id); }

LONGLONG CStoreAccess::ObjectFromEntryId(ULONG cb, const ENTRYID* eid, ULONG& type, LONGLONG& parent) const
{
    CEntryId parsed = CEntryId::Parse(cb, eid);
    if (parsed.m_kind != CEntryId::Kind::Object)
        throw CMapiError(MAPI_E_INVALID_ENTRYID, "The entry id is not one of a store object");
    if (!(parsed.m_uid == m_file->Uid()))
        throw CMapiError(MAPI_E_INVALID_ENTRYID, "The entry id belongs to another store");
    std::lock_guard lock(m_file->Mutex());
    if (!m_file->ObjectInfo(parsed.m_id, type, parent) || type != parsed.m_type)
        throw CMapiError(MAPI_E_NOT_FOUND, "The object no longer exists");
    return parsed.m_id;
}

std::vector<ULONG> CStoreAccess::ComputedTags(ULONG type)
{
    std::vector<ULONG> tags = {PR_ENTRYID,     PR_OBJECT_TYPE,  PR_STORE_ENTRYID, PR_STORE_RECORD_KEY,
                               PR_RECORD_KEY,  PR_INSTANCE_KEY, PR_PARENT_ENTRYID};
    if (type == MAPI_FOLDER) {
        tags.insert(tags.end(), {PR_SUBFOLDERS, PR_CONTENT_COUNT, PR_FOLDER_TYPE});
    } else if (type == MAPI_MESSAGE) {
        tags.push_back(PR_STORE_SUPPORT_MASK);
    }
    return tags;
}

ULONG CStoreAccess::SupportMask() const
{
    ULONG mask = STORE_ENTRYID_UNIQUE | STORE_SEARCH_OK | STORE_ATTACH_OK | STORE_SUBMIT_OK | STORE_NOTIFY_OK |
                 STORE_HTML_OK | STORE_UNCOMPRESSED_RTF;
    return mask | (m_writable ? STORE_MODIFY_OK | STORE_CREATE_OK : STORE_READONLY);
}

CPropMap CStoreAccess::Computed(LONGLONG id, ULONG type, LONGLONG parent) const
{
    CPropMap props;
    auto put = [&props](const CPropValue& value) { props[PROP_ID(value.Tag())] = value; };
    std::string uid(reinterpret_cast<const char*>(m_file->Uid().ab), 16);
    std::string eid = EntryId(type, id);
    put(CPropValue::Binary(PR_ENTRYID, eid));
    put(CPropValue::Long(PR_OBJECT_TYPE, static_cast<LONG>(type)));
    put(CPropValue::Binary(PR_STORE_ENTRYID, StoreEntryId()));
    put(CPropValue::Binary(PR_STORE_RECORD_KEY, uid));
    put(CPropValue::Binary(PR_RECORD_KEY, eid));
    put(CPropValue::Binary(PR_INSTANCE_KEY, eid));
    if (parent) put(CPropValue::Binary(PR_PARENT_ENTRYID, EntryId(MAPI_FOLDER, parent)));
    if (type == MAPI_FOLDER) {
        std::lock_guard lock(m_file->Mutex());
        put(CPropValue::Bool(PR_SUBFOLDERS, !m_file->Children(id, MAPI_FOLDER).empty()));
        CSqlStatement count(m_file->Db(), "SELECT COUNT(*) FROM objects WHERE parent = ? AND type = ?");
        count.Bind(1, id).Bind(2, static_cast<LONGLONG>(MAPI_MESSAGE)).Step();
        put(CPropValue::Long(PR_CONTENT_COUNT, static_cast<LONG>(count.Int(0))));
        put(CPropValue::Long(PR_FOLDER_TYPE, FOLDER_GENERIC));
    } else if (type == MAPI_MESSAGE) {
        put(CPropValue::Long(PR_STORE_SUPPORT_MASK, static_cast<LONG>(SupportMask())));
    }
    return props;
}

void CStoreAccess::Notify(const CEvent& event) const { CNotifier::Instance().Raise(m_file->Uid(), event); }

}  // namespace pollenta::mapi
