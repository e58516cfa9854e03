#include "util/MapiNames.h"

#include "util/CZrMapiBufferPtr.h"

#include "com/ComPtr.h"

namespace {

enum FolderColumn { kEntryId, kStoreEntryId, kParentEntryId, kDisplayName, kColumnCount };

struct FolderTags {
    ULONG cValues = kColumnCount;
    ULONG aulPropTag[kColumnCount] = {PR_ENTRYID, PR_STORE_ENTRYID, PR_PARENT_ENTRYID, PR_DISPLAY_NAME_A};
};

bool IsError(const SPropValue& value)
{
    return PROP_TYPE(value.ulPropTag) == PT_ERROR;
}

bool SameEntry(IMsgStore* store, const SBinary& first, const SBinary& second)
{
    ULONG same = 0;
    return SUCCEEDED(store->CompareEntryIDs(first.cb, reinterpret_cast<LPENTRYID>(first.lpb), second.cb,
                                            reinterpret_cast<LPENTRYID>(second.lpb), 0, &same)) &&
           same;
}

HRESULT OpenFolder(IMsgStore* store, const SBinary& id, CComPtr<IMAPIFolder>& folder)
{
    ULONG type = 0;
    CComPtr<IUnknown> object;
    const HRESULT hr =
        store->OpenEntry(id.cb, reinterpret_cast<LPENTRYID>(id.lpb), &IID_IMAPIFolder, 0, &type, &object);
    if (FAILED(hr))
        return hr;
    if (type != MAPI_FOLDER)
        return E_FAIL;
    folder = CComQIPtr<IMAPIFolder>(object.p);
    return folder ? S_OK : E_FAIL;
}

// Walks from the folder up to the top of the message tree, putting each
// folder's name in front of the path.
HRESULT WalkUp(IMsgStore* store, const SBinary& subtree, SBinary current, std::string& path)
{
    // Each step keeps the properties that hold the next entry id alive.
    CZrMapiBufferPtr<SPropValue> props;
    for (;;) {
        CComPtr<IMAPIFolder> folder;
        HRESULT hr = OpenFolder(store, current, folder);
        if (FAILED(hr))
            return hr;
        FolderTags tags;
        ULONG count = 0;
        CZrMapiBufferPtr<SPropValue> next;
        hr = folder->GetProps(reinterpret_cast<LPSPropTagArray>(&tags), 0, &count, &next);
        if (FAILED(hr))
            return hr;
        if (count != kColumnCount || IsError(next.get()[kEntryId]) || IsError(next.get()[kStoreEntryId]) ||
            IsError(next.get()[kParentEntryId]))
            return E_FAIL;
        const SBinary& entryId = next.get()[kEntryId].Value.bin;
        const SBinary& parentId = next.get()[kParentEntryId].Value.bin;
        if (SameEntry(store, entryId, subtree))
            return S_OK;
        if (SameEntry(store, parentId, entryId))
            return E_FAIL;
        const SPropValue& name = next.get()[kDisplayName];
        path = "\\" + std::string(IsError(name) || !name.Value.lpszA ? "" : name.Value.lpszA) + path;
        current = parentId;
        props.Swap(next);
    }
}

}  // namespace

HRESULT GetFolderDisplayPath(IMAPISession* session, const CZrEntryID& storeId, const CZrEntryID* folderId,
                             std::string& path)
{
    if (!folderId)
        return E_INVALIDARG;
    path.clear();
    if (folderId->IsEmpty())
        return S_FALSE;
    CComPtr<IMsgStore> store;
    HRESULT hr = session->OpenMsgStore(0, storeId.Size(), storeId.EntryID(), &IID_IMsgStore, MAPI_BEST_ACCESS, &store);
    if (FAILED(hr))
        return hr;
    CZrMapiBufferPtr<SPropValue> subtree;
    hr = HrGetOneProp(store, PR_IPM_SUBTREE_ENTRYID, &subtree);
    if (FAILED(hr))
        return hr;
    const SBinary start = {folderId->Size(), const_cast<LPBYTE>(folderId->Bytes())};
    std::string folders;
    hr = WalkUp(store, subtree->Value.bin, start, folders);
    if (FAILED(hr))
        return hr;
    CZrMapiBufferPtr<SPropValue> storeName;
    hr = HrGetOneProp(store, PR_DISPLAY_NAME_A, &storeName);
    if (FAILED(hr))
        return hr;
    path = "\\\\" + std::string(storeName->Value.lpszA ? storeName->Value.lpszA : "") + folders;
    return S_OK;
}
