// The folders the answer collection watches: the service folders it
// skips, the Inbox that a profile without settings gets, and the watched
// array built from the settings' folder records.

#include "connect/WEConnect.h"

#include "util/CZrMapiBufferPtr.h"
#include "util/CZrRowSetPtr.h"

#include "com/ComBstr.h"
#include "mapi/MapiUtil.h"

namespace {

// MDB_NO_DIALOG | MAPI_BEST_ACCESS | MDB_TEMPORARY | MDB_NO_MAIL.
constexpr ULONG kWatchedStoreFlags = 0xB1;

// The folder's entry id (or with `storeId`, its store's) from the object
// model's hexadecimal text; a failing read is logged with `call`.
HRESULT ReadFolderId(CWELog& log, MAPIFolder* folder, bool storeId, const char* call, CZrEntryID& id)
{
    CComBSTR text;
    const HRESULT hr = storeId ? folder->get_StoreID(&text) : folder->get_EntryID(&text);
    if (FAILED(hr)) {
        log.LogComError(call, hr, folder, IID_MAPIFolder);
        return hr;
    }
    id.SetHexW(text);
    return S_OK;
}

// The client's MAPI name space; a failure is logged.
bool GetMapiNameSpace(CWELog& log, _Application* application, CComPtr<_NameSpace>& nameSpace)
{
    const HRESULT hr = application->GetNamespace(CComBSTR("MAPI"), &nameSpace);
    if (SUCCEEDED(hr) && nameSpace)
        return true;
    log.LogComError("m_spApplication->GetNamespace", FAILED(hr) ? hr : E_FAIL, application, IID__Application);
    return false;
}

bool IsMailFolder(const SPropValue& containerClass)
{
    if (PROP_TYPE(containerClass.ulPropTag) == PT_ERROR)
        return true;
    return std::string(containerClass.Value.lpszA) == "IPF.Note";
}

}  // namespace

HRESULT WEConnect::CacheServiceFolderIds()
{
    CComPtr<_NameSpace> nameSpace;
    if (!GetMapiNameSpace(m_Log, m_spApplication, nameSpace))
        return E_FAIL;
    const struct {
        LONG kind;
        const char* call;
    } services[] = {{olFolderOutbox, "spOutbox->get_EntryID"},
                    {olFolderSentMail, "spSentItems->get_EntryID"},
                    {olFolderDrafts, "spDrafts->get_EntryID"}};
    for (const auto& service : services) {
        CComPtr<MAPIFolder> folder;
        if (HRESULT hr = nameSpace->GetDefaultFolder(service.kind, &folder); FAILED(hr) || !folder) {
            m_Log.LogComError("spNameSpace->GetDefaultFolder", FAILED(hr) ? hr : E_FAIL, nameSpace, IID__NameSpace);
            continue;
        }
        CZrEntryID id;
        if (SUCCEEDED(ReadFolderId(m_Log, folder, false, service.call, id)) && !id.IsEmpty())
            m_arrServiceFolderIds.push_back(id);
    }
    return S_OK;
}

HRESULT WEConnect::AddDefaultInboxFolder()
{
    CComPtr<_NameSpace> nameSpace;
    if (!GetMapiNameSpace(m_Log, m_spApplication, nameSpace))
        return E_FAIL;
    CComPtr<MAPIFolder> inbox;
    if (HRESULT hr = nameSpace->GetDefaultFolder(olFolderInbox, &inbox); FAILED(hr) || !inbox) {
        m_Log.LogComError("spNameSpace->GetDefaultFolder", FAILED(hr) ? hr : E_FAIL, nameSpace, IID__NameSpace);
        return S_OK;
    }
    CWEWatchedFolder record;
    if (HRESULT hr = ReadFolderId(m_Log, inbox, false, "spInbox->get_EntryID", record.m_FolderId); FAILED(hr))
        return hr;
    if (HRESULT hr = ReadFolderId(m_Log, inbox, true, "spInbox->get_StoreID", record.m_StoreId); FAILED(hr))
        return hr;
    if (!record.m_FolderId.IsEmpty() && !record.m_StoreId.IsEmpty()) {
        record.m_dwFlags = CWEWatchedFolder::kWatchFolder;
        m_Settings.m_arrFolders.push_back(record);
    }
    return S_OK;
}

void WEConnect::RebuildWatchedFolders()
{
    if (!m_spSession)
        return;
    std::vector<CWEWatchedFolder> rebuilt;
    for (const CWEWatchedFolder& record : m_Settings.m_arrFolders)
        AddWatchedFolder(record, rebuilt);
    m_arrWatchedFolders.swap(rebuilt);
}

HRESULT WEConnect::AddWatchedFolder(const CWEWatchedFolder& record, std::vector<CWEWatchedFolder>& target)
{
    if (!m_spSession)
        return E_UNEXPECTED;
    if (!(record.m_dwFlags & CWEWatchedFolder::kWatchFolder))
        return S_FALSE;
    CComPtr<IMsgStore> store;
    const HRESULT hr = m_spSession->OpenMsgStore(0, record.m_StoreId.Size(), record.m_StoreId.EntryID(), &IID_IMsgStore,
                                                 kWatchedStoreFlags, &store);
    if (FAILED(hr)) {
        m_Log.LogMapiCall("m_spSession->OpenMsgStore", hr, m_spSession.p);
        return hr;
    }
    return CollectFolder(store, record, target);
}

HRESULT WEConnect::CollectFolder(IMsgStore* store, const CWEWatchedFolder& record,
                                 std::vector<CWEWatchedFolder>& target)
{
    ULONG type = 0;
    CComPtr<IUnknown> object;
    if (FAILED(store->OpenEntry(record.m_FolderId.Size(), record.m_FolderId.EntryID(), &IID_IMAPIFolder,
                                MAPI_BEST_ACCESS, &type, &object)) ||
        type != MAPI_FOLDER)
        return E_FAIL;
    CComQIPtr<IMAPIFolder> folder(object.p);
    SizedSPropTagArray(3, columns) = {3, {PR_ENTRYID, PR_CONTAINER_CLASS_A, PR_DISPLAY_NAME_A}};
    ULONG count = 0;
    CZrMapiBufferPtr<SPropValue> props;
    if (!folder || FAILED(folder->GetProps(reinterpret_cast<LPSPropTagArray>(&columns), 0, &count, &props)) ||
        PROP_TYPE(props.get()[0].ulPropTag) == PT_ERROR)
        return E_FAIL;
    if (record.m_dwFlags != 0 && IsMailFolder(props.get()[1])) {
        CWEWatchedFolder watched;
        watched.m_StoreId = record.m_StoreId;
        watched.m_FolderId.Set(props.get()[0].Value.bin.cb, props.get()[0].Value.bin.lpb);
        watched.m_dwFlags = CWEWatchedFolder::kWatchFolder;
        target.push_back(watched);
    }
    if (!(record.m_dwFlags & CWEWatchedFolder::kWatchSubfolders))
        return S_OK;
    CComPtr<IMAPITable> children;
    SizedSPropTagArray(1, idColumn) = {1, {PR_ENTRYID}};
    CZrRowSetPtr rows;
    if (FAILED(folder->GetHierarchyTable(0, &children)) ||
        FAILED(HrQueryAllRows(children, reinterpret_cast<LPSPropTagArray>(&idColumn), nullptr, nullptr, 0, &rows)))
        return E_FAIL;
    for (ULONG i = 0; i < rows.get()->cRows; ++i) {
        const SPropValue& id = rows.get()->aRow[i].lpProps[0];
        if (PROP_TYPE(id.ulPropTag) == PT_ERROR)
            continue;
        CWEWatchedFolder child;
        child.m_StoreId = record.m_StoreId;
        child.m_FolderId.Set(id.Value.bin.cb, id.Value.bin.lpb);
        child.m_dwFlags = CWEWatchedFolder::kWatchSubfolders;
        CollectFolder(store, child, target);
    }
    return S_OK;
}
