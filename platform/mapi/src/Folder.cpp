#include "Folder.h"

#include "MapiTable.h"
#include "Message.h"
#include "MessageContent.h"
#include "MsgStore.h"
#include "Notifier.h"
#include "SqlTransaction.h"
#include "StoreRows.h"

namespace pollenta::mapi {

CFolder::CFolder(CStoreAccess access, LONGLONG id, LONGLONG parent, bool writable)
    : TPropObject<IMAPIFolder>({IID_IMAPIProp, IID_IMAPIContainer, IID_IMAPIFolder}), m_access(std::move(access)),
      m_id(id), m_parent(parent), m_writable(writable)
{
    m_props = m_access.File().LoadProps(m_id);
}

bool CFolder::Computed(ULONG propId, CPropValue& value)
{
    if (!IsComputed(propId)) return false;
    CPropMap computed = m_access.Computed(m_id, MAPI_FOLDER, m_parent);
    auto it = computed.find(propId);
    if (it == computed.end()) return false;
    value = it->second;
    return true;
}

void CFolder::Save(ULONG) { m_access.File().ReplaceProps(m_id, m_props); }

HRESULT CFolder::ChildTable(ULONG type, std::vector<ULONG> columns, LPMAPITABLE* table)
{
    if (!table) return MAPI_E_INVALID_PARAMETER;
    *table = nullptr;
    return Guard([&] {
        CStoreAccess access = m_access;
        auto rows = std::make_unique<CStoreRows>(
            m_access.FilePtr(), m_id, type, std::move(columns),
            [access, type, parent = m_id](LONGLONG id) { return access.Computed(id, type, parent); });
        *table = new CMapiTable(std::move(rows));
        return S_OK;
    });
}

HRESULT CFolder::GetContentsTable(ULONG, LPMAPITABLE* table)
{
    return ChildTable(MAPI_MESSAGE,
                      {PR_ENTRYID, PR_INSTANCE_KEY, PR_SUBJECT_A, PR_MESSAGE_CLASS_A, PR_MESSAGE_DELIVERY_TIME,
                       PR_MESSAGE_FLAGS},
                      table);
}

HRESULT CFolder::GetHierarchyTable(ULONG, LPMAPITABLE* table)
{
    return ChildTable(MAPI_FOLDER, {PR_ENTRYID, PR_INSTANCE_KEY, PR_DISPLAY_NAME_A, PR_SUBFOLDERS, PR_CONTAINER_CLASS_A},
                      table);
}

HRESULT CFolder::OpenEntry(ULONG cb, LPENTRYID eid, LPCIID iid, ULONG flags, ULONG* type, LPUNKNOWN* object)
{
    if (!eid) {
        if (!object || !type) return MAPI_E_INVALID_PARAMETER;
        *type = MAPI_FOLDER;
        return QueryInterface(iid ? *iid : IID_IMAPIFolder, reinterpret_cast<void**>(object));
    }
    return CMsgStore::OpenObject(m_access, m_lastError, cb, eid, iid, flags, type, object);
}

HRESULT CFolder::CreateMessage(LPCIID iid, ULONG, LPMESSAGE* message)
{
    if (!message) return MAPI_E_INVALID_PARAMETER;
    *message = nullptr;
    if (iid && *iid != IID_IMessage && *iid != IID_IMAPIProp && *iid != IID_IUnknown)
        return MAPI_E_INTERFACE_NOT_SUPPORTED;
    if (!m_writable) return MAPI_E_NO_ACCESS;
    return Guard([&] {
        *message = new CMessage(m_access, 0, m_id, true);
        return S_OK;
    });
}

void CFolder::CopyOne(const SBinary& eid, CFolder& target, bool move)
{
    ULONG type = 0;
    LONGLONG parent = 0;
    LONGLONG id = m_access.ObjectFromEntryId(eid.cb, reinterpret_cast<const ENTRYID*>(eid.lpb), type, parent);
    if (type != MAPI_MESSAGE || parent != m_id) throw CMapiError(MAPI_E_NOT_FOUND, "The message is not in this folder");

    CEvent event;
    event.type = move ? fnevObjectMoved : fnevObjectCopied;
    event.objType = MAPI_MESSAGE;
    event.parentId = target.m_access.EntryId(MAPI_FOLDER, target.m_id);
    event.oldId = m_access.EntryId(MAPI_MESSAGE, id);
    event.oldParentId = m_access.EntryId(MAPI_FOLDER, m_id);

    CStoreFile& source = m_access.File();
    CStoreFile& destination = target.m_access.File();
    LONGLONG newId = id;
    if (&source == &destination) {
        std::lock_guard lock(source.Mutex());
        CSqlTransaction transaction(source.Db());
        if (move) source.Move(id, target.m_id);
        else newId = source.CopyTree(id, target.m_id);
        transaction.Commit();
    } else {
        // Between stores the message is read whole and written anew.
        CMessageContent content = CMessageContent::Load(source, id);
        newId = content.SaveNew(destination, target.m_id);
        if (move) {
            std::lock_guard lock(source.Mutex());
            CSqlTransaction transaction(source.Db());
            source.DeleteTree(id);
            transaction.Commit();
        }
    }
    event.entryId = target.m_access.EntryId(MAPI_MESSAGE, newId);
    target.m_access.Notify(event);
}

HRESULT CFolder::CopyMessages(LPENTRYLIST list, LPCIID iid, LPVOID dest, ULONG_PTR, LPMAPIPROGRESS, ULONG flags)
{
    if (!list || !dest || (list->cValues && !list->lpbin)) return MAPI_E_INVALID_PARAMETER;
    if (iid && *iid != IID_IMAPIFolder) return MAPI_E_INTERFACE_NOT_SUPPORTED;
    auto* target = dynamic_cast<CFolder*>(static_cast<IMAPIFolder*>(dest));
    if (!target) return MAPI_E_NO_SUPPORT;
    return Guard([&] {
        bool move = (flags & MESSAGE_MOVE) != 0;
        if (!target->m_writable || (move && !m_writable))
            throw CMapiError(MAPI_E_NO_ACCESS, "The folder is read-only");
        bool partial = false;
        for (ULONG i = 0; i < list->cValues; ++i) {
            try {
                CopyOne(list->lpbin[i], *target, move);
            } catch (const CMapiError& e) {
                if (e.Code() != MAPI_E_NOT_FOUND && e.Code() != MAPI_E_INVALID_ENTRYID) throw;
                m_lastError.Set(e.Code(), e.what());
                partial = true;
            }
        }
        return partial ? MAPI_W_PARTIAL_COMPLETION : S_OK;
    });
}

HRESULT CFolder::DeleteMessages(LPENTRYLIST list, ULONG_PTR, LPMAPIPROGRESS, ULONG)
{
    if (!list || (list->cValues && !list->lpbin)) return MAPI_E_INVALID_PARAMETER;
    if (!m_writable) return MAPI_E_NO_ACCESS;
    return Guard([&] {
        bool partial = false;
        CStoreFile& file = m_access.File();
        for (ULONG i = 0; i < list->cValues; ++i) {
            const SBinary& eid = list->lpbin[i];
            ULONG type = 0;
            LONGLONG parent = 0;
            LONGLONG id = 0;
            try {
                id = m_access.ObjectFromEntryId(eid.cb, reinterpret_cast<const ENTRYID*>(eid.lpb), type, parent);
            } catch (const CMapiError& e) {
                m_lastError.Set(e.Code(), e.what());
                partial = true;
                continue;
            }
            if (type != MAPI_MESSAGE || parent != m_id) {
                partial = true;
                continue;
            }
            {
                std::lock_guard lock(file.Mutex());
                CSqlTransaction transaction(file.Db());
                file.DeleteTree(id);
                transaction.Commit();
            }
            CEvent event;
            event.type = fnevObjectDeleted;
            event.objType = MAPI_MESSAGE;
            event.entryId = m_access.EntryId(MAPI_MESSAGE, id);
            event.parentId = m_access.EntryId(MAPI_FOLDER, m_id);
            m_access.Notify(event);
        }
        return partial ? MAPI_W_PARTIAL_COMPLETION : S_OK;
    });
}

HRESULT CFolder::CreateFolder(ULONG, LPSTR name, LPSTR comment, LPCIID iid, ULONG flags, IMAPIFolder** folder)
{
    if (!folder || !name || !*name) return MAPI_E_INVALID_PARAMETER;
    *folder = nullptr;
    if (iid && *iid != IID_IMAPIFolder && *iid != IID_IUnknown) return MAPI_E_INTERFACE_NOT_SUPPORTED;
    if (!m_writable) return MAPI_E_NO_ACCESS;
    return Guard([&] {
        CStoreFile& file = m_access.File();
        std::lock_guard lock(file.Mutex());
        for (LONGLONG child : file.Children(m_id, MAPI_FOLDER)) {
            CPropValue existing;
            if (!file.LoadProp(child, PROP_ID(PR_DISPLAY_NAME_A), existing) || existing.Text() != name) continue;
            if (!(flags & OPEN_IF_EXISTS)) throw CMapiError(MAPI_E_COLLISION, "A folder of that name exists");
            *folder = new CFolder(m_access, child, m_id, m_writable);
            return S_OK;
        }
        CSqlTransaction transaction(file.Db());
        LONGLONG id = file.CreateObject(MAPI_FOLDER, m_id);
        file.SetProp(id, CPropValue::String(PR_DISPLAY_NAME_A, name));
        if (comment && *comment) file.SetProp(id, CPropValue::String(PR_COMMENT_A, comment));
        CPropValue containerClass;
        if (file.LoadProp(m_id, PROP_ID(PR_CONTAINER_CLASS_A), containerClass)) file.SetProp(id, containerClass);
        transaction.Commit();
        CEvent event;
        event.type = fnevObjectCreated;
        event.objType = MAPI_FOLDER;
        event.entryId = m_access.EntryId(MAPI_FOLDER, id);
        event.parentId = m_access.EntryId(MAPI_FOLDER, m_id);
        m_access.Notify(event);
        *folder = new CFolder(m_access, id, m_id, m_writable);
        return S_OK;
    });
}

}  // namespace pollenta::mapi
