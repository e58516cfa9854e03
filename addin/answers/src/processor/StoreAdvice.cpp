// The notification detector: every store of the add-in's session is
// advised; a message that arrives in (or is moved or copied into) a watched
// folder is queued for the processor thread.

#include "processor/CWEInboxProcessor.h"

#include "message/EntryIdColumn.h"
#include "message/MapiReads.h"

#include "util/CZrMapiBufferPtr.h"
#include "util/CZrRowSetPtr.h"

#include "mapi/IMAPITable.h"
#include "mapi/MapiUtil.h"

namespace {

constexpr DWORD kAdviseNotSupported = 0xE00022B9;
constexpr DWORD kPropertyMissing = 0xE00022C4;
constexpr ULONG kNewMessageEvents = fnevNewMail | fnevObjectCreated | fnevObjectMoved | fnevObjectCopied;

bool SameEntry(IMsgStore* store, const CZrEntryID& a, ULONG cb, LPENTRYID eid)
{
    ULONG result = FALSE;
    return SUCCEEDED(store->CompareEntryIDs(a.Size(), a.EntryID(), cb, eid, 0, &result)) && result;
}

}  // namespace

HRESULT CWEInboxProcessor::AdviseStores()
{
    // A second start advises afresh instead of adding a second sink per store.
    UnadviseStores();
    if (!m_spSession)
        return S_OK;
    CComPtr<IMAPITable> table;
    HRESULT hr = m_spSession->GetMsgStoresTable(0, &table);
    m_pLog->LogMapiCall("m_spSession->GetMsgStoresTable", hr, m_spSession.p);
    if (FAILED(hr))
        return E_FAIL;
    hr = SetEntryIdColumn(table, *m_pLog, "spStoreTable->SetColumns");
    if (FAILED(hr))
        return E_FAIL;
    ULONG count = 0;
    hr = table->GetRowCount(0, &count);
    m_pLog->LogMapiCall("spStoreTable->GetRowCount", hr, table.p);
    if (FAILED(hr))
        return E_FAIL;
    while (count > 0) {
        CZrRowSetPtr rows;
        hr = table->QueryRows(static_cast<LONG>(count), 0, &rows);
        m_pLog->LogMapiCall("spStoreTable->QueryRows", hr, table.p);
        if (FAILED(hr) || !rows.get() || rows->cRows == 0)
            break;
        count -= std::min(count, rows->cRows);
        for (ULONG i = 0; i < rows->cRows; ++i) {
            const SPropValue& id = rows->aRow[i].lpProps[0];
            if (id.ulPropTag == PR_ENTRYID)
                AdviseStore(id.Value.bin);
        }
    }
    return S_OK;
}

HRESULT CWEInboxProcessor::AdviseStore(const SBinary& storeId)
{
    auto advice = std::make_unique<Advice>();
    advice->processor = this;
    HRESULT hr = m_spSession->OpenMsgStore(0, storeId.cb, reinterpret_cast<LPENTRYID>(storeId.lpb), &IID_IMsgStore,
                                           MAPI_BEST_ACCESS, &advice->store);
    m_pLog->LogMapiCall("m_spSession->OpenMsgStore", hr, m_spSession.p);
    if (FAILED(hr))
        return hr;
    hr = HrAllocAdviseSink(&CWEInboxProcessor::OnStoreNotify, advice.get(), &advice->sink);
    if (FAILED(hr))
        return hr;
    hr = advice->store->Advise(0, nullptr, kNewMessageEvents, advice->sink, &advice->connection);
    if (hr == MAPI_E_NO_SUPPORT) {
        std::string name;
        if (!ReadStringProp(advice->store, PR_DISPLAY_NAME_A, name))
            name = "Unknown";
        m_pLog->Write(kAdviseNotSupported, {name});
        return hr;
    }
    m_pLog->LogMapiCall("spMsgStore->Advise", hr, advice->store.p);
    if (FAILED(hr))
        return hr;
    m_arrAdvised.push_back(std::move(advice));
    return S_OK;
}

void CWEInboxProcessor::UnadviseStores()
{
    // Unadvise returns only once the sink is no longer being called, so no
    // notification reaches a released store or unloaded code.
    for (const auto& advice : m_arrAdvised)
        advice->store->Unadvise(advice->connection);
    m_arrAdvised.clear();
}

ULONG CWEInboxProcessor::OnStoreNotify(LPVOID context, ULONG count, LPNOTIFICATION notifications)
{
    const auto* advice = static_cast<const Advice*>(context);
    if (!advice || !g_pInboxProcessor)
        return 0;
    CWEInboxProcessor* self = advice->processor;
    IMsgStore* store = advice->store;
    for (ULONG i = 0; i < count; ++i) {
        const NOTIFICATION& n = notifications[i];
        CZrEntryID messageId, parentId;
        if (n.ulEventType == fnevNewMail) {
            messageId.Set(n.info.newmail.cbEntryID, reinterpret_cast<const BYTE*>(n.info.newmail.lpEntryID));
            parentId.Set(n.info.newmail.cbParentID, reinterpret_cast<const BYTE*>(n.info.newmail.lpParentID));
        } else if ((n.ulEventType == fnevObjectCreated || n.ulEventType == fnevObjectMoved ||
                    n.ulEventType == fnevObjectCopied) &&
                   n.info.obj.ulObjType == MAPI_MESSAGE) {
            messageId.Set(n.info.obj.cbEntryID, reinterpret_cast<const BYTE*>(n.info.obj.lpEntryID));
            parentId.Set(n.info.obj.cbParentID, reinterpret_cast<const BYTE*>(n.info.obj.lpParentID));
        } else {
            continue;
        }
        if (!messageId.IsEmpty() && !parentId.IsEmpty() && messageId.IsValid() && parentId.IsValid())
            self->QueueNewMessage(store, messageId, parentId);
    }
    return 0;
}

HRESULT CWEInboxProcessor::QueueNewMessage(IMsgStore* store, const CZrEntryID& messageId, const CZrEntryID& parentId)
{
    // The store tells of one delivery twice (new mail, object created): the
    // second time the message need not be opened again.
    if (m_NotifyQueue.IsWaiting(messageId))
        return S_OK;
    CWEMessageQueueItem item;
    if (!ReadEntryIdProp(store, PR_ENTRYID, item.m_StoreId, *m_pLog, "IMsgStore", "PR_ENTRYID"))
        return E_FAIL;
    ULONG type = 0;
    CComPtr<IUnknown> object;
    if (FAILED(store->OpenEntry(messageId.Size(), messageId.EntryID(), &IID_IMessage, MAPI_BEST_ACCESS, &type,
                                &object)))
        return E_FAIL;
    CComQIPtr<IMessage> message(object.p);
    if (!message)
        return E_FAIL;
    const std::shared_ptr<const CWEWatchSnapshot> settings = GetSettings();
    if (!settings || !IsWatchedParent(store, parentId, *settings))
        return 1;
    std::string messageClass;
    if (!ReadStringProp(message, PR_MESSAGE_CLASS_A, messageClass) || messageClass.empty()) {
        m_pLog->Write(kPropertyMissing, {"IMessage", "PR_MESSAGE_CLASS"});
        return 1;
    }
    if (messageClass.compare(0, 8, "IPM.Note") != 0)
        return 1;
    if (!ReadEntryIdProp(message, PR_ENTRYID, item.m_MessageId, *m_pLog, "IMessage", "PR_ENTRYID"))
        return E_FAIL;
    m_NotifyQueue.Push(item);
    m_events.Set(CWEProcessorEvents::kItemQueued);
    return S_OK;
}

bool CWEInboxProcessor::IsWatchedParent(IMsgStore* store, const CZrEntryID& parentId, const CWEWatchSnapshot& settings)
{
    for (ULONG tag : {PR_IPM_DAF_ENTRYID, PR_IPM_WASTEBASKET_ENTRYID}) {
        CZrEntryID excluded;
        if (ReadEntryIdProp(store, tag, excluded) &&
            SameEntry(store, excluded, parentId.Size(), parentId.EntryID()))
            return false;
    }
    for (const CWEWatchedFolder& folder : settings.m_arrWatchedFolders) {
        if (folder.m_FolderId.IsEmpty() ||
            !SameEntry(store, folder.m_FolderId, parentId.Size(), parentId.EntryID()))
            continue;
        if (settings.m_nIgnoreServFolders)
            for (const CZrEntryID& service : settings.m_arrServiceFolderIds)
                if (SameEntry(store, service, parentId.Size(), parentId.EntryID()))
                    return false;
        return true;
    }
    return false;
}

void CWEInboxProcessor::PushScanItem(const CWEMessageQueueItem& item)
{
    m_ScanQueue.Push(item);
    m_events.Set(CWEProcessorEvents::kItemQueued);
}
