#include "MessageContent.h"

#include "FileTime.h"
#include "MapiError.h"
#include "SqlTransaction.h"
#include "mapi/MapiFlags.h"

namespace pollenta::mapi {

namespace {

std::string DisplayList(const std::vector<CPropMap>& recipients, ULONG type)
{
    std::string list;
    for (const CPropMap& recipient : recipients) {
        auto kind = recipient.find(PROP_ID(PR_RECIPIENT_TYPE));
        if (kind == recipient.end() || kind->second.Int() != static_cast<LONGLONG>(type)) continue;
        auto name = recipient.find(PROP_ID(PR_DISPLAY_NAME_A));
        if (name == recipient.end()) continue;
        if (!list.empty()) list += "; ";
        list += name->second.Text();
    }
    return list;
}

}  // namespace

CMessageContent CMessageContent::Load(CStoreFile& store, LONGLONG id)
{
    std::lock_guard lock(store.Mutex());
    CMessageContent content;
    content.m_props = store.LoadProps(id);
    for (CStoreFile::Child& child : store.LoadChildren(id)) {
        if (child.type == MAPI_MAILUSER) {
            content.m_recipients.push_back(std::move(child.props));
        } else if (child.type == MAPI_ATTACH) {
            auto num = child.props.find(PROP_ID(PR_ATTACH_NUM));
            ULONG key = num != child.props.end() ? static_cast<ULONG>(num->second.Int()) : static_cast<ULONG>(child.id);
            content.m_attachments[key] = std::move(child.props);
        }
    }
    return content;
}

LONGLONG CMessageContent::SaveNew(CStoreFile& store, LONGLONG folder, bool enqueue)
{
    std::lock_guard lock(store.Mutex());
    CSqlTransaction transaction(store.Db());
    LONGLONG id = WriteNew(store, folder);
    if (enqueue) store.Enqueue(id);
    transaction.Commit();
    return id;
}

std::vector<LONGLONG> CMessageContent::SaveNewAll(CStoreFile& store, LONGLONG folder,
                                                  std::vector<CMessageContent>& messages)
{
    std::vector<LONGLONG> ids;
    ids.reserve(messages.size());
    std::lock_guard lock(store.Mutex());
    CSqlTransaction transaction(store.Db());
    for (CMessageContent& message : messages) ids.push_back(message.WriteNew(store, folder));
    transaction.Commit();
    return ids;
}

LONGLONG CMessageContent::WriteNew(CStoreFile& store, LONGLONG folder)
{
    LONGLONG id = store.CreateObject(MAPI_MESSAGE, folder, m_props);
    WriteRecipients(store, id);
    WriteAttachments(store, id);
    return id;
}

void CMessageContent::Save(CStoreFile& store, LONGLONG id, const Changes& changes, bool enqueue)
{
    std::lock_guard lock(store.Mutex());
    CSqlTransaction transaction(store.Db());
    ULONG type = 0;
    LONGLONG parent = 0;
    if (!store.ObjectInfo(id, type, parent))
        throw CMapiError(MAPI_E_OBJECT_DELETED, "The message has been deleted since it was opened");
    std::vector<const CPropValue*> changed;
    for (const auto& [propId, value] : m_props) {
        auto stored = changes.storedProps.find(propId);
        if (stored == changes.storedProps.end() || !(stored->second == value)) changed.push_back(&value);
    }
    store.SetProps(id, changed);
    for (const auto& [propId, value] : changes.storedProps)
        if (!m_props.count(propId)) store.RemoveProp(id, propId);
    if (changes.recipients) {
        for (LONGLONG child : store.Children(id, MAPI_MAILUSER)) store.DeleteTree(child);
        WriteRecipients(store, id);
    }
    if (changes.attachments) {
        for (LONGLONG child : store.Children(id, MAPI_ATTACH)) store.DeleteTree(child);
        WriteAttachments(store, id);
    }
    if (enqueue) store.Enqueue(id);
    transaction.Commit();
}

void CMessageContent::WriteRecipients(CStoreFile& store, LONGLONG id)
{
    for (const CPropMap& recipient : m_recipients) store.CreateObject(MAPI_MAILUSER, id, recipient);
}

void CMessageContent::WriteAttachments(CStoreFile& store, LONGLONG id)
{
    for (const auto& [num, attachment] : m_attachments) {
        CPropMap props = attachment;
        props[PROP_ID(PR_ATTACH_NUM)] = CPropValue::Long(PR_ATTACH_NUM, static_cast<LONG>(num));
        store.CreateObject(MAPI_ATTACH, id, props);
    }
}

void CMessageContent::UpdateDerived()
{
    auto put = [this](const CPropValue& value) { m_props[PROP_ID(value.Tag())] = value; };
    LONGLONG now = NowFileTime();
    if (!m_props.count(PROP_ID(PR_CREATION_TIME))) put(CPropValue::Time(PR_CREATION_TIME, now));
    put(CPropValue::Time(PR_LAST_MODIFICATION_TIME, now));
    if (!m_props.count(PROP_ID(PR_MESSAGE_FLAGS))) put(CPropValue::Long(PR_MESSAGE_FLAGS, MSGFLAG_UNSENT));
    LONG flags = static_cast<LONG>(m_props[PROP_ID(PR_MESSAGE_FLAGS)].Int());
    flags = m_attachments.empty() ? (flags & ~MSGFLAG_HASATTACH) : (flags | MSGFLAG_HASATTACH);
    put(CPropValue::Long(PR_MESSAGE_FLAGS, flags));
    put(CPropValue::Bool(PR_HASATTACH, !m_attachments.empty()));
    put(CPropValue::String(PR_DISPLAY_TO_A, DisplayList(m_recipients, MAPI_TO)));
    put(CPropValue::String(PR_DISPLAY_CC_A, DisplayList(m_recipients, MAPI_CC)));
    put(CPropValue::String(PR_DISPLAY_BCC_A, DisplayList(m_recipients, MAPI_BCC)));
    std::size_t size = 0;
    for (const auto& [id, value] : m_props) size += value.Bytes().size() + 8;
    for (const auto& [num, attachment] : m_attachments)
        for (const auto& [id, value] : attachment) size += value.Bytes().size() + 8;
    put(CPropValue::Long(PR_MESSAGE_SIZE, static_cast<LONG>(std::min<std::size_t>(size, 0x7FFFFFFF))));
}

}  // namespace pollenta::mapi
