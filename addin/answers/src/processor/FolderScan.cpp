// The scan detector: one pass over the watched folders for messages that do
// not carry the processed mark yet, oldest first.

#include "processor/CWEInboxProcessor.h"
#include "processor/CWEScanSink.h"

#include "message/EntryIdColumn.h"
#include "message/MapiReads.h"
#include "message/ProcessedMark.h"

#include "util/CZrRowSetPtr.h"

#include "mapi/IMAPITable.h"

namespace {

constexpr DWORD kPauseBetweenFolders = 500;

bool SessionSameEntry(IMAPISession* session, const CZrEntryID& a, const CZrEntryID& b)
{
    ULONG result = FALSE;
    return SUCCEEDED(session->CompareEntryIDs(a.Size(), a.EntryID(), b.Size(), b.EntryID(), 0, &result)) && result;
}

bool IsServiceFolder(IMAPISession* session, const CZrEntryID& folder, const CWEWatchSnapshot& settings)
{
    for (const CZrEntryID& service : settings.m_arrServiceFolderIds)
        if (SessionSameEntry(session, folder, service))
            return true;
    return false;
}

}  // namespace

bool CWEInboxProcessor::IsStopRequested(CWEScanSink& sink)
{
    if (m_events.Test(CWEProcessorEvents::kStopScan))
        sink.StopRunning();
    return !sink.IsRunning();
}

HRESULT CWEInboxProcessor::ScanFolders(IMAPISession* session, CWEScanSink& sink)
{
    const std::shared_ptr<const CWEWatchSnapshot> settings = GetSettings();
    for (const CWEWatchedFolder& folder : settings->m_arrWatchedFolders) {
        // The wait between folders is also where a stop is noticed, and the
        // sink's flag keeps a stop seen inside the last folder.
        if (!sink.IsRunning() ||
            WaitForSingleObject(m_events[CWEProcessorEvents::kStopScan], kPauseBetweenFolders) == WAIT_OBJECT_0) {
            sink.StopRunning();
            break;
        }
        if (settings->m_nIgnoreServFolders && IsServiceFolder(session, folder.m_FolderId, *settings))
            continue;
        ScanFolder(session, folder, sink, *settings);
    }
    m_events.Set(CWEProcessorEvents::kScanEnded);
    return S_OK;
}

HRESULT CWEInboxProcessor::ScanFolder(IMAPISession* session, const CWEWatchedFolder& folder, CWEScanSink& sink,
                                      const CWEWatchSnapshot& settings)
{
    if (folder.m_StoreId.IsEmpty() || folder.m_FolderId.IsEmpty() || !folder.m_StoreId.IsValid() ||
        !folder.m_FolderId.IsValid())
        return S_OK;
    return QueryUnprocessed(session, folder, sink, settings);
}

HRESULT CWEInboxProcessor::QueryUnprocessed(IMAPISession* session, const CWEWatchedFolder& watched,
                                            CWEScanSink& sink, const CWEWatchSnapshot& settings)
{
    CComPtr<IMsgStore> store;
    CComPtr<IMAPIFolder> folder;
    if (FAILED(OpenStore(session, watched.m_StoreId, store, *m_pLog, "lpSession->OpenMsgStore")) ||
        FAILED(OpenFolder(store, watched.m_FolderId, folder, *m_pLog, "spMsgStore->OpenEntry")))
        return E_FAIL;
    if (settings.m_nIgnoreServFolders) {
        CZrEntryID outbox;
        ULONG same = FALSE;
        if (ReadEntryIdProp(store, PR_IPM_OUTBOX_ENTRYID, outbox) &&
            SUCCEEDED(store->CompareEntryIDs(outbox.Size(), outbox.EntryID(), watched.m_FolderId.Size(),
                                             watched.m_FolderId.EntryID(), 0, &same)) &&
            same)
            return S_OK;
    }
    CComPtr<IMAPITable> table;
    HRESULT hr = folder->GetContentsTable(0, &table);
    m_pLog->LogMapiCall("spFolder->GetContentsTable", hr, folder.p);
    if (FAILED(hr))
        return hr;
    hr = SetEntryIdColumn(table, *m_pLog, "spContentsTable->SetColumns");
    if (FAILED(hr))
        return hr;
    ULONG markTag = 0;
    if (FAILED(GetProcessedPropTag(store, markTag))) {
        m_pLog->LogMapiCall("GetIDsFromNames", E_FAIL, store.p);
        return E_FAIL;
    }
    SRestriction exist{};
    exist.rt = RES_EXIST;
    exist.res.resExist.ulPropTag = markTag;
    SRestriction unprocessed{};
    unprocessed.rt = RES_NOT;
    unprocessed.res.resNot.lpRes = &exist;
    hr = table->Restrict(&unprocessed, 0);
    m_pLog->LogMapiCall("spContentsTable->Restrict", hr, table.p);
    if (FAILED(hr))
        return hr;
    SizedSSortOrderSet(1, order) = {1, 0, 0, {{PR_MESSAGE_DELIVERY_TIME, TABLE_SORT_ASCEND}}};
    hr = table->SortTable(reinterpret_cast<LPSSortOrderSet>(&order), 0);
    m_pLog->LogMapiCall("spContentsTable->SortTable", hr, table.p);
    if (FAILED(hr))
        return hr;
    ULONG remaining = 0;
    hr = table->GetRowCount(0, &remaining);
    m_pLog->LogMapiCall("spContentsTable->GetRowCount", hr, table.p);
    while (SUCCEEDED(hr) && remaining > 0 && !IsStopRequested(sink)) {
        CZrRowSetPtr rows;
        hr = table->QueryRows(static_cast<LONG>(remaining), 0, &rows);
        m_pLog->LogMapiCall("spContentsTable->QueryRows", hr, table.p);
        if (FAILED(hr))
            return E_FAIL;
        if (!rows.get() || rows->cRows == 0)
            break;
        remaining -= std::min(remaining, rows->cRows);
        for (ULONG i = 0; i < rows->cRows && !IsStopRequested(sink); ++i) {
            const SPropValue& id = rows->aRow[i].lpProps[0];
            if (id.ulPropTag != PR_ENTRYID)
                continue;
            ULONG type = 0;
            CComPtr<IUnknown> object;
            hr = folder->OpenEntry(id.Value.bin.cb, reinterpret_cast<LPENTRYID>(id.Value.bin.lpb), &IID_IMessage,
                                   MAPI_BEST_ACCESS, &type, &object);
            m_pLog->LogMapiCall("spFolder->OpenEntry", hr, folder.p);
            CComQIPtr<IMessage> message(object.p);
            if (SUCCEEDED(hr) && type == MAPI_MESSAGE && message)
                sink.OnMessage(session, store, message);
        }
        hr = S_OK;
    }
    table->Restrict(nullptr, 0);
    return S_OK;
}
