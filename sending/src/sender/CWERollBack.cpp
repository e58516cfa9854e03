// Copies made by a cancelled run: sent away no further, and kept, moved or
// deleted as the user chooses. Also the opening of the Outbox that the
// copies are made in.

#include "CWEPersonalSender.h"
#include "CWERollBackDlg.h"
#include "MapiRows.h"
#include "OutlookItem.h"

#include "mapi/IMAPIFolder.h"
#include "mapi/IMsgStore.h"
#include "mapi/MapiUtil.h"

#include <memory>

namespace {

std::string BinaryFromHex(const std::string& hex)
{
    std::string bytes(hex.size() / 2, '\0');
    if (hex.empty() || !FBinFromHex(const_cast<char*>(hex.c_str()), reinterpret_cast<BYTE*>(bytes.data())))
        return {};
    return bytes;
}

LPENTRYID Eid(const std::string& bytes)
{
    return reinterpret_cast<LPENTRYID>(const_cast<char*>(bytes.data()));
}

HRESULT OpenFolder(IMsgStore* store, const std::string& entryId, CComPtr<IMAPIFolder>& folder)
{
    ULONG type = 0;
    HRESULT hr = store->OpenEntry(static_cast<ULONG>(entryId.size()), Eid(entryId), &IID_IMAPIFolder,
                                  MAPI_BEST_ACCESS, &type, reinterpret_cast<LPUNKNOWN*>(&folder));
    return SUCCEEDED(hr) && (type != MAPI_FOLDER || !folder) ? E_FAIL : hr;
}

std::string FolderId(IDispatch* folder, const char* property)
{
    std::string hex;
    return SUCCEEDED(outlook::GetText(folder, property, hex)) ? BinaryFromHex(hex) : std::string();
}

}  // namespace

HRESULT CWEPersonalSender::OpenOutboxFolder()
{
    const std::string storeId = FolderId(m_spOutbox, "StoreID");
    const std::string outboxId = FolderId(m_spOutbox, "EntryID");
    if (storeId.empty() || outboxId.empty())
        return E_FAIL;
    CComPtr<IMsgStore> store;
    HRESULT hr = m_spSession->OpenMsgStore(0, static_cast<ULONG>(storeId.size()), Eid(storeId), &IID_IMsgStore,
                                           MAPI_BEST_ACCESS, &store);
    return SUCCEEDED(hr) ? OpenFolder(store, outboxId, m_spOutboxFolder) : hr;
}

HRESULT CWEPersonalSender::RollBack()
{
    m_nWithdrawn = 0;
    m_nRolledBack = static_cast<int>(m_prepared.size());
    if (!m_spSession || !m_spApplication)
        return E_FAIL;
    RollBackAction action = RollBackAction::Leave;
    if (m_bShowProgress) {
        CWnd parent;
        parent.Attach(m_hParent && IsWindow(m_hParent) ? m_hParent : nullptr);
        CWERollBackDlg dialog(parent.m_hWnd ? &parent : nullptr, static_cast<int>(m_prepared.size()));
        dialog.DoModal();
        parent.Detach();
        action = dialog.GetAction();
    }
    if (action == RollBackAction::Leave)
        return S_OK;
    CComPtr<IDispatch> outbox;
    CComPtr<IDispatch> deletedItems;
    if (FAILED(outlook::DefaultFolder(m_spApplication, outlook::olFolderOutbox, outbox)) ||
        FAILED(outlook::DefaultFolder(m_spApplication, outlook::olFolderDeletedItems, deletedItems)))
        return E_FAIL;
    const std::string storeId = FolderId(outbox, "StoreID");
    const std::string outboxId = FolderId(outbox, "EntryID");
    const std::string deletedId = FolderId(deletedItems, "EntryID");
    if (storeId.empty() || outboxId.empty() || deletedId.empty())
        return E_FAIL;
    CComPtr<IMsgStore> store;
    CComPtr<IMAPIFolder> outboxFolder;
    CComPtr<IMAPIFolder> deletedFolder;
    if (FAILED(m_spSession->OpenMsgStore(0, static_cast<ULONG>(storeId.size()), Eid(storeId), &IID_IMsgStore,
                                         MAPI_BEST_ACCESS, &store)) ||
        FAILED(OpenFolder(store, outboxId, outboxFolder)) || FAILED(OpenFolder(store, deletedId, deletedFolder)))
        return E_FAIL;
    std::vector<SBinary> ids;
    for (const std::string& entryId : m_prepared) {
        ids.push_back({static_cast<ULONG>(entryId.size()), reinterpret_cast<LPBYTE>(const_cast<char*>(entryId.data()))});
        if (SUCCEEDED(store->AbortSubmit(static_cast<ULONG>(entryId.size()), Eid(entryId), 0)))
            ++m_nWithdrawn;
    }
    ENTRYLIST list{static_cast<ULONG>(ids.size()), ids.data()};
    HRESULT hr = S_OK;
    if (action == RollBackAction::MoveToDeletedItems)
        hr = outboxFolder->CopyMessages(&list, nullptr, deletedFolder, 0, nullptr, MESSAGE_MOVE);
    else if (action == RollBackAction::Delete)
        hr = outboxFolder->DeleteMessages(&list, 0, nullptr, 0);
    return FAILED(hr) ? E_FAIL : S_OK;
}
