#include "Message.h"

#include "Attach.h"
#include "FileTime.h"
#include "MapiTable.h"
#include "MemoryRows.h"
#include "Notifier.h"
#include "Spooler.h"

#include <algorithm>

namespace pollenta::mapi {

namespace {

bool Excluded(LPSPropTagArray exclude, ULONG tag)
{
    if (!exclude) return false;
    for (ULONG i = 0; i < exclude->cValues; ++i)
        if (PROP_ID(exclude->aulPropTag[i]) == PROP_ID(tag)) return true;
    return false;
}

std::string InstanceKey(LONG value) { return std::string(reinterpret_cast<const char*>(&value), sizeof value); }

}  // namespace

CMessage::CMessage(CStoreAccess access, LONGLONG id, LONGLONG folder, bool writable)
    : TPropObject<IMessage>({IID_IMAPIProp, IID_IMessage}), m_access(std::move(access)), m_id(id), m_folder(folder),
      m_writable(writable)
{
    if (!m_id) return;
    m_content = CMessageContent::Load(m_access.File(), m_id);
    m_props = std::move(m_content.m_props);
    m_storedProps = m_props;
    for (const CPropMap& recipient : m_content.m_recipients) {
        auto row = recipient.find(PROP_ID(PR_ROWID));
        if (row != recipient.end()) m_nextRowId = std::max(m_nextRowId, static_cast<LONG>(row->second.Int()) + 1);
    }
    if (!m_content.m_attachments.empty()) m_nextAttachNum = m_content.m_attachments.rbegin()->first + 1;
}

std::vector<ULONG> CMessage::ComputedTags() { return CStoreAccess::ComputedTags(MAPI_MESSAGE); }

bool CMessage::Computed(ULONG propId, CPropValue& value)
{
    if (!IsComputed(propId)) return false;
    // A new message has no identity until it is saved.
    bool identity = propId == PROP_ID(PR_ENTRYID) || propId == PROP_ID(PR_RECORD_KEY) || propId == PROP_ID(PR_INSTANCE_KEY);
    if (!m_id && identity) return false;
    // The spooler may have moved the message since it was opened.
    ULONG type = 0;
    if (m_id && propId == PROP_ID(PR_PARENT_ENTRYID)) m_access.File().ObjectInfo(m_id, type, m_folder);
    CPropMap computed = m_access.Computed(m_id, MAPI_MESSAGE, m_folder);
    auto it = computed.find(propId);
    if (it == computed.end()) return false;
    value = it->second;
    return true;
}

void CMessage::Save(ULONG) { Write(false); }

void CMessage::Write(bool enqueue)
{
    m_content.m_props = m_props;
    m_content.UpdateDerived();
    bool created = !m_id;
    if (created) m_id = m_content.SaveNew(m_access.File(), m_folder, enqueue);
    else m_content.Save(m_access.File(), m_id, {m_storedProps, m_recipientsChanged, m_attachmentsChanged}, enqueue);
    m_props = std::move(m_content.m_props);
    m_content.m_props.clear();
    m_storedProps = m_props;
    m_recipientsChanged = false;
    m_attachmentsChanged = false;
    // A saved change is told too, so that lists of the folder show it.
    CEvent event;
    event.type = created ? fnevObjectCreated : fnevObjectModified;
    event.entryId = m_access.EntryId(MAPI_MESSAGE, m_id);
    event.parentId = m_access.EntryId(MAPI_FOLDER, m_folder);
    event.objType = MAPI_MESSAGE;
    m_access.Notify(event);
}

HRESULT CMessage::CopyTo(ULONG, LPCIID, LPSPropTagArray exclude, ULONG_PTR, LPMAPIPROGRESS, LPCIID iid, LPVOID dest,
                         ULONG flags, LPSPropProblemArray* problems)
{
    if (problems) *problems = nullptr;
    if (!dest) return MAPI_E_INVALID_PARAMETER;
    if (iid && *iid != IID_IMessage) return MAPI_E_INTERFACE_NOT_SUPPORTED;
    auto* target = dynamic_cast<CMessage*>(static_cast<IMessage*>(dest));
    if (!target) return MAPI_E_NO_SUPPORT;
    if (target == this) return MAPI_E_INVALID_PARAMETER;
    return Guard([&] {
        if (!target->m_writable) throw CMapiError(MAPI_E_NO_ACCESS, "The target message is read-only");
        for (const auto& [id, value] : m_props) {
            if (Excluded(exclude, value.Tag()) || target->IsComputed(id)) continue;
            if ((flags & MAPI_NOREPLACE) && target->m_props.count(id)) continue;
            target->m_props[id] = value;
        }
        if (!Excluded(exclude, PR_MESSAGE_RECIPIENTS)) {
            target->m_content.m_recipients = m_content.m_recipients;
            target->m_nextRowId = m_nextRowId;
            target->m_recipientsChanged = true;
        }
        if (!Excluded(exclude, PR_MESSAGE_ATTACHMENTS)) {
            target->m_content.m_attachments = m_content.m_attachments;
            target->m_nextAttachNum = m_nextAttachNum;
            target->m_attachmentsChanged = true;
        }
        return problems ? CPropArrays::Problems({}, problems) : S_OK;
    });
}

HRESULT CMessage::GetAttachmentTable(ULONG, LPMAPITABLE* table)
{
    if (!table) return MAPI_E_INVALID_PARAMETER;
    *table = nullptr;
    return Guard([&] {
        std::vector<CPropMap> rows;
        for (const auto& [num, props] : m_content.m_attachments) {
            CPropMap row = props;
            auto data = row.find(PROP_ID(PR_ATTACH_DATA_BIN));
            LONG size = data == row.end() ? 0 : static_cast<LONG>(data->second.Bytes().size());
            if (data != row.end()) row.erase(data);
            row[PROP_ID(PR_ATTACH_NUM)] = CPropValue::Long(PR_ATTACH_NUM, static_cast<LONG>(num));
            row[PROP_ID(PR_ATTACH_SIZE)] = CPropValue::Long(PR_ATTACH_SIZE, size);
            row[PROP_ID(PR_INSTANCE_KEY)] = CPropValue::Binary(PR_INSTANCE_KEY, InstanceKey(static_cast<LONG>(num)));
            rows.push_back(std::move(row));
        }
        std::vector<ULONG> columns = {PR_ATTACH_NUM,        PR_INSTANCE_KEY, PR_ATTACH_FILENAME_A, PR_ATTACH_LONG_FILENAME_A,
                                      PR_ATTACH_METHOD,     PR_ATTACH_SIZE,  PR_RENDERING_POSITION};
        *table = new CMapiTable(std::make_unique<CMemoryRows>(std::move(rows), std::move(columns)));
        return S_OK;
    });
}

HRESULT CMessage::OpenAttach(ULONG num, LPCIID iid, ULONG flags, LPATTACH* attach)
{
    if (!attach) return MAPI_E_INVALID_PARAMETER;
    *attach = nullptr;
    if (iid && *iid != IID_IAttachment && *iid != IID_IMAPIProp && *iid != IID_IUnknown)
        return MAPI_E_INTERFACE_NOT_SUPPORTED;
    auto it = m_content.m_attachments.find(num);
    if (it == m_content.m_attachments.end()) return MAPI_E_NOT_FOUND;
    bool writable = m_writable && (flags & (MAPI_MODIFY | MAPI_BEST_ACCESS));
    *attach = new CAttach(this, num, it->second, writable);
    return S_OK;
}

HRESULT CMessage::CreateAttach(LPCIID iid, ULONG, ULONG* num, LPATTACH* attach)
{
    if (!attach || !num) return MAPI_E_INVALID_PARAMETER;
    *attach = nullptr;
    if (iid && *iid != IID_IAttachment && *iid != IID_IMAPIProp && *iid != IID_IUnknown)
        return MAPI_E_INTERFACE_NOT_SUPPORTED;
    if (!m_writable) return MAPI_E_NO_ACCESS;
    *num = m_nextAttachNum++;
    *attach = new CAttach(this, *num, {}, true);
    return S_OK;
}

HRESULT CMessage::DeleteAttach(ULONG num, ULONG_PTR, LPMAPIPROGRESS, ULONG)
{
    if (!m_writable) return MAPI_E_NO_ACCESS;
    if (!m_content.m_attachments.erase(num)) return MAPI_E_NOT_FOUND;
    m_attachmentsChanged = true;
    return S_OK;
}

CMessageContent CMessage::Content() const
{
    CMessageContent content = m_content;
    content.m_props = m_props;
    return content;
}

void CMessage::StoreAttachment(ULONG num, const CPropMap& props)
{
    m_content.m_attachments[num] = props;
    m_attachmentsChanged = true;
}

HRESULT CMessage::GetRecipientTable(ULONG, LPMAPITABLE* table)
{
    if (!table) return MAPI_E_INVALID_PARAMETER;
    *table = nullptr;
    return Guard([&] {
        std::vector<CPropMap> rows = m_content.m_recipients;
        for (CPropMap& row : rows) {
            LONG rowId = static_cast<LONG>(row[PROP_ID(PR_ROWID)].Int());
            row[PROP_ID(PR_INSTANCE_KEY)] = CPropValue::Binary(PR_INSTANCE_KEY, InstanceKey(rowId));
        }
        std::vector<ULONG> columns = {PR_ROWID,           PR_DISPLAY_NAME_A, PR_EMAIL_ADDRESS_A, PR_ADDRTYPE_A,
                                      PR_RECIPIENT_TYPE,  PR_ENTRYID,        PR_INSTANCE_KEY};
        *table = new CMapiTable(std::make_unique<CMemoryRows>(std::move(rows), std::move(columns)));
        return S_OK;
    });
}

CPropMap CMessage::RecipientProps(const ADRENTRY& entry)
{
    CPropMap recipient;
    for (ULONG i = 0; i < entry.cValues; ++i) {
        ULONG type = PROP_TYPE(entry.rgPropVals[i].ulPropTag);
        // Unresolved columns come as PT_ERROR; they carry nothing to keep.
        if (type == PT_ERROR || type == PT_NULL || entry.rgPropVals[i].ulPropTag == PR_ROWID) continue;
        CPropValue value;
        if (FAILED(CPropValue::FromSPropValue(entry.rgPropVals[i], value)))
            throw CMapiError(MAPI_E_INVALID_PARAMETER, "A recipient property is not valid");
        recipient[PROP_ID(value.Tag())] = value;
    }
    return recipient;
}

HRESULT CMessage::ModifyRecipients(ULONG flags, LPADRLIST mods)
{
    if (!mods) return MAPI_E_INVALID_PARAMETER;
    if (flags & ~(MODRECIP_ADD | MODRECIP_MODIFY | MODRECIP_REMOVE)) return MAPI_E_UNKNOWN_FLAGS;
    if (!m_writable) return MAPI_E_NO_ACCESS;
    return Guard([&] {
        for (ULONG i = 0; i < mods->cEntries; ++i)
            if (mods->aEntries[i].cValues && !mods->aEntries[i].rgPropVals)
                throw CMapiError(MAPI_E_INVALID_PARAMETER, "A recipient entry has no properties");
        std::vector<CPropMap> before = m_content.m_recipients;
        LONG nextBefore = m_nextRowId;
        try {
            if (flags == 0) {
                m_content.m_recipients.clear();
                m_nextRowId = 0;
            }
            for (ULONG i = 0; i < mods->cEntries; ++i) {
                const ADRENTRY& entry = mods->aEntries[i];
                if (flags == 0 || (flags & MODRECIP_ADD)) {
                    CPropMap added = RecipientProps(entry);
                    added[PROP_ID(PR_ROWID)] = CPropValue::Long(PR_ROWID, m_nextRowId++);
                    m_content.m_recipients.push_back(std::move(added));
                    continue;
                }
                const SPropValue* rowId = nullptr;
                for (ULONG j = 0; j < entry.cValues; ++j)
                    if (entry.rgPropVals[j].ulPropTag == PR_ROWID) rowId = &entry.rgPropVals[j];
                if (!rowId) throw CMapiError(MAPI_E_INVALID_PARAMETER, "A recipient to change has no PR_ROWID");
                auto it = std::find_if(m_content.m_recipients.begin(), m_content.m_recipients.end(), [&](CPropMap& r) {
                    return r[PROP_ID(PR_ROWID)].Int() == rowId->Value.l;
                });
                if (it == m_content.m_recipients.end()) throw CMapiError(MAPI_E_NOT_FOUND, "No recipient has that PR_ROWID");
                if (flags & MODRECIP_REMOVE) {
                    m_content.m_recipients.erase(it);
                    continue;
                }
                CPropMap changed = RecipientProps(entry);
                changed[PROP_ID(PR_ROWID)] = CPropValue::Long(PR_ROWID, rowId->Value.l);
                *it = std::move(changed);
            }
        } catch (...) {
            m_content.m_recipients = std::move(before);
            m_nextRowId = nextBefore;
            throw;
        }
        m_recipientsChanged = true;
        return S_OK;
    });
}

HRESULT CMessage::SubmitMessage(ULONG)
{
    if (!m_writable) return MAPI_E_NO_ACCESS;
    return Guard([&] {
        if (m_content.m_recipients.empty()) throw CMapiError(MAPI_E_NO_RECIPIENTS, "The message has no recipients");
        std::shared_ptr<CSpooler> spooler = m_access.Spooler();
        if (!spooler) throw CMapiError(MAPI_E_NO_SUPPORT, "The store was not opened through a session");
        LONG flags = m_props.count(PROP_ID(PR_MESSAGE_FLAGS)) ? static_cast<LONG>(m_props[PROP_ID(PR_MESSAGE_FLAGS)].Int())
                                                              : static_cast<LONG>(MSGFLAG_UNSENT);
        m_props[PROP_ID(PR_MESSAGE_FLAGS)] = CPropValue::Long(PR_MESSAGE_FLAGS, flags | MSGFLAG_SUBMIT | MSGFLAG_UNSENT);
        m_props[PROP_ID(PR_CLIENT_SUBMIT_TIME)] = CPropValue::Time(PR_CLIENT_SUBMIT_TIME, NowFileTime());
        Write(true);
        spooler->Wake();
        return S_OK;
    });
}

}  // namespace pollenta::mapi
