#include "tree/CZrMAPITreeCtrl.h"

#include "resources/KestrinPictures.h"

#include "tree/MapiCalls.h"

#include "errors/ThrowInvalidParams.h"
#include "util/CZrRowSetPtr.h"

#include "mapi/IMAPIFolder.h"
#include "mapi/MapiFlags.h"
#include "mapi/MapiUtil.h"
#include "ui/CommonNotify.h"
#include "ui/MessageBox.h"

#include <cstdio>
#include <cstring>
#include <strings.h>
#include <zlib.h>

namespace {

constexpr ULONG kStoreOpenFlags = MAPI_BEST_ACCESS | MDB_TEMPORARY | MDB_NO_MAIL;
constexpr ULONG kBrowseOpenFlags = MDB_TEMPORARY | MDB_NO_MAIL;

CZrEntryID IdOf(const SBinary& bytes)
{
    CZrEntryID id;
    id.Set(bytes.cb, bytes.lpb);
    return id;
}

CComPtr<IMAPIFolder> OpenFolder(IMsgStore* store, const CZrEntryID& folderId, const char* call)
{
    ULONG type = 0;
    CComPtr<IUnknown> object;
    CheckMapiCall(store->OpenEntry(folderId.Size(), folderId.EntryID(), &IID_IMAPIFolder, MAPI_BEST_ACCESS, &type,
                                   &object),
                  store, "OpenEntry", __FILE__, __LINE__);
    CComQIPtr<IMAPIFolder> folder(object.p);
    if (type != MAPI_FOLDER || !folder)
        throw CZrHrException(kMissingProperty, call, __FILE__, __LINE__);
    return CComPtr<IMAPIFolder>(folder.p);
}

// The root items: the default store first, the others by name.
int CompareStores(LPARAM data1, LPARAM data2, LPARAM)
{
    auto* a = reinterpret_cast<const CZrFolderItem*>(data1);
    auto* b = reinterpret_cast<const CZrFolderItem*>(data2);
    bool aDefault = a->m_nSpecialKind == CZrMAPITreeCtrl::kSpecialDefaultStore;
    bool bDefault = b->m_nSpecialKind == CZrMAPITreeCtrl::kSpecialDefaultStore;
    if (aDefault != bDefault)
        return aDefault ? -1 : 1;
    return strcasecmp(a->m_strName.c_str(), b->m_strName.c_str());
}

} // namespace

CZrMAPITreeCtrl::CZrMAPITreeCtrl() = default;

CZrMAPITreeCtrl::~CZrMAPITreeCtrl()
{
    if (m_hItalicFont)
        DeleteObject(m_hItalicFont);
}

template <class Action>
HRESULT CZrMAPITreeCtrl::Guarded(Action action)
{
    try {
        action();
        return S_OK;
    } catch (const CZrException& e) {
        e.ShowError();
        return e.GetCode();
    } catch (...) {
        char text[256];
        std::snprintf(text, sizeof text, "Unexpected error\r\nFile: %s;\r\nLine %i;", __FILE__, __LINE__);
        MessageBox(nullptr, text, "Twinnet Error", MB_ICONERROR);
        return E_FAIL;
    }
}

DWORD CZrMAPITreeCtrl::CalcFolderCRC32(const CZrEntryID& storeId, const CZrEntryID& folderId)
{
    if (storeId.IsEmpty() || folderId.IsEmpty())
        ThrowInvalidParams("CZrMAPITreeCtrl::CalcFolderCRC32", __FILE__, __LINE__);
    uLong crc = crc32(0L, Z_NULL, 0);
    crc = crc32(crc, storeId.Bytes(), storeId.Size());
    crc = crc32(crc, folderId.Bytes(), folderId.Size());
    return static_cast<DWORD>(crc);
}

int CZrMAPITreeCtrl::CalcFolderType(const char* containerClass)
{
    static const std::pair<const char*, int> kClasses[] = {
        {"IPF.Note", kTypeMail},     {"IPF.Task", kTypeTask},       {"IPF.StickyNote", kTypeStickyNote},
        {"IPF.Appointment", kTypeAppointment}, {"IPF.Contact", kTypeContact}, {"IPF.Journal", kTypeJournal},
    };
    if (containerClass)
        for (const auto& [prefix, type] : kClasses)
            if (std::strncmp(containerClass, prefix, std::strlen(prefix)) == 0)
                return type;
    return kTypeUnclassed;
}

bool CZrMAPITreeCtrl::IsWatchable(int folderType) const
{
    return (m_ulTypeMask & 1) || (static_cast<ULONG>(folderType) & m_ulTypeMask);
}

int CZrMAPITreeCtrl::GetFolderImage(int specialKind, int folderType) const
{
    static const std::pair<int, int> kSpecialImages[] = {
        {kSpecialInbox, 1},         {kSpecialOutbox, 5},  {kSpecialStore, 8},      {kSpecialDefaultStore, 11},
        {kSpecialDeletedItems, 10}, {kSpecialDrafts, 12}, {kSpecialSentItems, 9},
    };
    static const std::pair<int, int> kTypeImages[] = {
        {kTypeMail, 0}, {kTypeAppointment, 6}, {kTypeContact, 7},      {kTypeTask, 3},
        {kTypeJournal, 2}, {kTypeStickyNote, 4}, {kTypeUnclassed, 0},
    };
    int image = 0;
    bool special = false;
    for (const auto& [kind, index] : kSpecialImages)
        if (kind == specialKind) {
            image = index;
            special = true;
        }
    if (!special)
        for (const auto& [type, index] : kTypeImages)
            if (type == folderType)
                image = index;
    return IsWatchable(folderType) ? image : image + kDimmedImages;
}

HRESULT CZrMAPITreeCtrl::Initialize(IMAPISession* session, ULONG typeMask, ULONG options)
{
    return Guarded([&] {
        if (!session)
            ThrowInvalidParams("CZrMAPITreeCtrl::Initialize", __FILE__, __LINE__);
        m_spSession = session;
        SetUpImageLists();
        m_ulTypeMask = typeMask;
        m_ulOptions = options;
        CComPtr<IMAPITable> stores;
        CheckMapiCall(session->GetMsgStoresTable(0, &stores), session, "GetMsgStoresTable", __FILE__, __LINE__);
        SizedSPropTagArray(2, columns) = {2, {PR_ENTRYID, PR_DEFAULT_STORE}};
        CZrRowSetPtr rows;
        CheckMapiCall(HrQueryAllRows(stores, reinterpret_cast<LPSPropTagArray>(&columns), nullptr, nullptr, 0, &rows),
                      stores.p, "HrQueryAllRows", __FILE__, __LINE__);
        for (ULONG i = 0; i < rows->cRows; ++i) {
            const SRow& row = rows->aRow[i];
            if (row.lpProps[0].ulPropTag != PR_ENTRYID)
                continue;
            bool isDefault = row.lpProps[1].ulPropTag == PR_DEFAULT_STORE && row.lpProps[1].Value.b;
            LoadMsgStorage(IdOf(row.lpProps[0].Value.bin), isDefault);
        }
    });
}

CComPtr<IMsgStore> CZrMAPITreeCtrl::OpenStore(const CZrEntryID& storeId, ULONG flags) const
{
    CComPtr<IMsgStore> store;
    CheckMapiCall(m_spSession->OpenMsgStore(0, storeId.Size(), storeId.EntryID(), &IID_IMsgStore, flags, &store),
                  m_spSession.p, "OpenMsgStore", __FILE__, __LINE__);
    return store;
}

void CZrMAPITreeCtrl::LoadMsgStorage(const CZrEntryID& storeId, bool isDefault)
{
    CComPtr<IMsgStore> store = OpenStore(storeId, kStoreOpenFlags);
    PropValues props(store.p, {PR_IPM_PUBLIC_FOLDERS_ENTRYID, PR_IPM_SUBTREE_ENTRYID, PR_DISPLAY_NAME_A}, __FILE__,
                     __LINE__);
    if ((m_ulOptions & kSkipPublicStores) && props.Find(PR_IPM_PUBLIC_FOLDERS_ENTRYID))
        return;
    AppendSpecialFolders(store, storeId);
    CZrEntryID subtreeId = IdOf(props.Require(PR_IPM_SUBTREE_ENTRYID, "PR_IPM_SUBTREE_ENTRYID", __FILE__, __LINE__).Value.bin);
    std::string name = props.Require(PR_DISPLAY_NAME_A, "PR_DISPLAY_NAME", __FILE__, __LINE__).Value.lpszA;
    CComPtr<IMAPIFolder> subtree = OpenFolder(store, subtreeId, "IMsgStore::OpenEntry");
    PropValues subtreeProps(subtree.p, {PR_SUBFOLDERS}, __FILE__, __LINE__);

    auto data = std::make_unique<CZrFolderItem>();
    data->m_StoreId = storeId;
    data->m_FolderId = subtreeId;
    data->m_strName = name;
    data->m_nSpecialKind = isDefault ? kSpecialDefaultStore : kSpecialStore;
    data->m_nFolderType = kTypeUnclassed;
    const SPropValue* subfolders = subtreeProps.Find(PR_SUBFOLDERS);
    data->m_bMayHaveSubfolders = !subfolders || subfolders->Value.b;
    data->m_strPath = "\\\\" + name;
    AddItem(std::move(data), TVI_ROOT);
    SortRootItems();
}

void CZrMAPITreeCtrl::AppendSpecialFolders(IMsgStore* store, const CZrEntryID& storeId)
{
    static const std::pair<ULONG, int> kSpecialTags[] = {
        {PR_IPM_OUTBOX_ENTRYID, kSpecialOutbox},
        {PR_IPM_SENTMAIL_ENTRYID, kSpecialSentItems},
        {PR_IPM_WASTEBASKET_ENTRYID, kSpecialDeletedItems},
        {PR_IPM_DRAFTS_ENTRYID, kSpecialDrafts},
    };
    PropValues props(store, {PR_IPM_OUTBOX_ENTRYID, PR_IPM_SENTMAIL_ENTRYID, PR_IPM_WASTEBASKET_ENTRYID,
                             PR_IPM_DRAFTS_ENTRYID}, __FILE__, __LINE__);
    for (const auto& [tag, kind] : kSpecialTags)
        if (const SPropValue* value = props.Find(tag))
            AppendSpecialFolder(store, storeId, IdOf(value->Value.bin), kind);
    ULONG size = 0;
    CZrMapiBufferPtr<ENTRYID> inbox;
    if (SUCCEEDED(store->GetReceiveFolder(const_cast<char*>(""), 0, &size, &inbox, nullptr)) && inbox.get()) {
        CZrEntryID inboxId;
        inboxId.Set(size, reinterpret_cast<const BYTE*>(inbox.get()));
        AppendSpecialFolder(store, storeId, inboxId, kSpecialInbox);
    }
}

void CZrMAPITreeCtrl::AppendSpecialFolder(IMsgStore* store, const CZrEntryID& storeId, const CZrEntryID& folderId,
                                          int kind)
{
    if (folderId.IsEmpty())
        return;
    // The folder's own id, as its folder gives it, is what the tree meets later.
    CComPtr<IMAPIFolder> folder = OpenFolder(store, folderId, "spMsgStore::OpenEntry");
    PropValues props(folder.p, {PR_ENTRYID}, __FILE__, __LINE__);
    DWORD identity = CalcFolderCRC32(storeId, IdOf(props.Require(PR_ENTRYID, "PR_ENTRYID", __FILE__, __LINE__).Value.bin));
    m_mapSpecialFolders.emplace(identity, kind);
}

CZrFolderItem* CZrMAPITreeCtrl::AddItem(std::unique_ptr<CZrFolderItem> data, HTREEITEM parent)
{
    data->m_dwIdentity = CalcFolderCRC32(data->m_StoreId, data->m_FolderId);
    HTREEITEM item = InsertItem(data->m_strName.c_str(), parent, TVI_LAST);
    if (!item)
        throw CZrHrException(E_FAIL, "InsertItem", __FILE__, __LINE__);
    data->m_hItem = item;
    int image = GetFolderImage(data->m_nSpecialKind, data->m_nFolderType);
    SetItemImage(item, image, image);
    SetChildrenButton(item, data->m_bMayHaveSubfolders);
    if (!IsWatchable(data->m_nFolderType))
        SetItemFont(item, ItalicFont());
    CZrFolderItem* raw = data.get();
    SetItemData(item, reinterpret_cast<DWORD_PTR>(raw));
    m_mapItems[raw->m_dwIdentity] = std::move(data);
    SetState(*raw, raw->m_nCheckState);
    return raw;
}

void CZrMAPITreeCtrl::SortRootItems()
{
    SortChildrenCB(TVI_ROOT, CompareStores, 0);
}

HFONT CZrMAPITreeCtrl::ItalicFont()
{
    if (!m_hItalicFont) {
        LOGFONT font{};
        GetObject(GetWindowFont(m_hWnd), sizeof font, &font);
        font.lfItalic = TRUE;
        m_hItalicFont = CreateFontIndirect(&font);
    }
    return m_hItalicFont;
}

void CZrMAPITreeCtrl::SetUpImageLists()
{
    const struct {
        CImageList& list;
        UINT bitmap;
        int width;
        int kind;
    } lists[] = {{m_FolderImages, IDB_FOLDERS, 16, TVSIL_NORMAL}, {m_StateImages, IDB_CHECK_STATES, 13, TVSIL_STATE}};
    for (const auto& made : lists) {
        if (made.list.GetSafeHandle())
            continue;
        HBITMAP strip = LoadKestrinBitmap(made.bitmap);
        SIZE size{};
        if (strip && GetBitmapSize(strip, &size) && made.list.Create(made.width, size.cy, ILC_COLOR32 | ILC_MASK, 0, 0))
            made.list.Add(strip, RGB(255, 0, 0));
        DeleteObject(strip);
        SetImageList(&made.list, made.kind);
    }
}

HRESULT CZrMAPITreeCtrl::UpdateChildFolders(HTREEITEM item)
{
    return Guarded([&] { LoadChildren(item); });
}

void CZrMAPITreeCtrl::LoadChildren(HTREEITEM item)
{
    CZrFolderItem* data = DataOf(item);
    if (!data)
        ThrowInvalidParams("CZrMAPITreeCtrl::UpdateChildFolders", __FILE__, __LINE__);
    CComPtr<IMsgStore> store = OpenStore(data->m_StoreId, kBrowseOpenFlags);
    CComPtr<IMAPIFolder> folder = OpenFolder(store, data->m_FolderId, "IMsgStore::OpenEntry");
    CComPtr<IMAPITable> hierarchy;
    CheckMapiCall(folder->GetHierarchyTable(0, &hierarchy), folder.p, "GetHierarchyTable", __FILE__, __LINE__);
    SizedSPropTagArray(1, columns) = {1, {PR_ENTRYID}};
    CZrRowSetPtr rows;
    CheckMapiCall(HrQueryAllRows(hierarchy, reinterpret_cast<LPSPropTagArray>(&columns), nullptr, nullptr, 0, &rows),
                  hierarchy.p, "HrQueryAllRows", __FILE__, __LINE__);
    for (ULONG i = 0; i < rows->cRows; ++i)
        if (rows->aRow[i].lpProps[0].ulPropTag == PR_ENTRYID)
            InsertFolder(*data, store, rows->aRow[i].lpProps[0].Value.bin);
}

void CZrMAPITreeCtrl::InsertFolder(CZrFolderItem& parent, IMsgStore* store, const SBinary& childId)
{
    CComPtr<IMAPIFolder> folder = OpenFolder(store, IdOf(childId), "spMsgStore::OpenEntry");
    PropValues props(folder.p, {PR_STORE_ENTRYID, PR_ENTRYID, PR_DISPLAY_NAME_A, PR_SUBFOLDERS, PR_CONTAINER_CLASS_A},
                     __FILE__, __LINE__);
    auto data = std::make_unique<CZrFolderItem>();
    data->m_StoreId = IdOf(props.Require(PR_STORE_ENTRYID, "PR_STORE_ENTRYID", __FILE__, __LINE__).Value.bin);
    data->m_FolderId = IdOf(props.Require(PR_ENTRYID, "PR_ENTRYID", __FILE__, __LINE__).Value.bin);
    data->m_strName = props.Require(PR_DISPLAY_NAME_A, "PR_DISPLAY_NAME", __FILE__, __LINE__).Value.lpszA;
    DWORD identity = CalcFolderCRC32(data->m_StoreId, data->m_FolderId);
    if (m_mapItems.count(identity))
        return;
    const SPropValue* subfolders = props.Find(PR_SUBFOLDERS);
    data->m_bMayHaveSubfolders = !subfolders || subfolders->Value.b;
    const SPropValue* containerClass = props.Find(PR_CONTAINER_CLASS_A);
    data->m_nFolderType = CalcFolderType(containerClass ? containerClass->Value.lpszA : nullptr);
    auto special = m_mapSpecialFolders.find(identity);
    data->m_nSpecialKind = special == m_mapSpecialFolders.end() ? 0 : special->second;
    data->m_strPath = parent.m_strPath + "\\" + data->m_strName;
    bool watchable = IsWatchable(data->m_nFolderType);
    bool parentWhole = parent.m_nCheckState == kTickedSubtree || parent.m_nCheckState == kContainerSubtree;
    if (parentWhole && (watchable || data->m_bMayHaveSubfolders))
        data->m_nCheckState = watchable ? kTickedSubtree : kContainerSubtree;
    AddItem(std::move(data), parent.m_hItem);
}

HTREEITEM CZrMAPITreeCtrl::FindItem(const CZrEntryID& storeId, const CZrEntryID& folderId) const
{
    auto found = m_mapItems.find(CalcFolderCRC32(storeId, folderId));
    return found == m_mapItems.end() ? nullptr : found->second->m_hItem;
}

HTREEITEM CZrMAPITreeCtrl::ForceLoadFolder(const CZrEntryID& storeId, const CZrEntryID& folderId)
{
    if (HTREEITEM item = FindItem(storeId, folderId))
        return item;
    CComPtr<IMsgStore> store = OpenStore(storeId, kBrowseOpenFlags);
    CComPtr<IMAPIFolder> folder = OpenFolder(store, folderId, "IMsgStore::OpenEntry");
    PropValues props(folder.p, {PR_STORE_ENTRYID, PR_ENTRYID, PR_PARENT_ENTRYID}, __FILE__, __LINE__);
    CZrEntryID ownStore = IdOf(props.Require(PR_STORE_ENTRYID, "PR_STORE_ENTRYID", __FILE__, __LINE__).Value.bin);
    CZrEntryID ownId = IdOf(props.Require(PR_ENTRYID, "PR_ENTRYID", __FILE__, __LINE__).Value.bin);
    CZrEntryID parentId = IdOf(props.Require(PR_PARENT_ENTRYID, "PR_PARENT_ENTRYID", __FILE__, __LINE__).Value.bin);
    ULONG same = 0;
    CheckMapiCall(m_spSession->CompareEntryIDs(ownId.Size(), ownId.EntryID(), parentId.Size(), parentId.EntryID(), 0,
                                               &same),
                  m_spSession.p, "CompareEntryIDs", __FILE__, __LINE__);
    // The top of the store is its own parent: the folder lies outside the
    // message tree the tree shows.
    if (same)
        throw CZrHrException(MAPI_E_NOT_FOUND, "CZrMAPITreeCtrl::ForceLoadFolder", __FILE__, __LINE__, true);
    HTREEITEM parent = ForceLoadFolder(ownStore, parentId);
    LoadChildren(parent);
    HTREEITEM item = FindItem(ownStore, ownId);
    if (!item)
        throw CZrHrException(E_FAIL, "CZrMAPITreeCtrl::ForceLoadFolder", __FILE__, __LINE__, true);
    return item;
}

HRESULT CZrMAPITreeCtrl::SetFolderChState(const CZrEntryID& storeId, const CZrEntryID& folderId, DWORD bits)
{
    return Guarded([&] {
        HTREEITEM item = ForceLoadFolder(storeId, folderId);
        UpdateCheckState(item, (bits & 2) ? CheckOp::TickSubtree : (bits & 1) ? CheckOp::Tick : CheckOp::Untick);
    });
}

HRESULT CZrMAPITreeCtrl::GetFolderChState(const CZrEntryID& storeId, const CZrEntryID& folderId, DWORD* bits,
                                          HTREEITEM* item)
{
    if (!bits || storeId.IsEmpty() || folderId.IsEmpty())
        return E_INVALIDARG;
    HTREEITEM found = FindItem(storeId, folderId);
    if (!found)
        return MAPI_E_NOT_FOUND;
    *bits = CheckBitsOf(DataOf(found)->m_nCheckState);
    if (item)
        *item = found;
    return S_OK;
}

HRESULT CZrMAPITreeCtrl::SelectFolder(const CZrEntryID& storeId, const CZrEntryID& folderId)
{
    return Guarded([&] {
        HTREEITEM item = ForceLoadFolder(storeId, folderId);
        for (HTREEITEM parent = GetParentItem(item); parent; parent = GetParentItem(parent))
            Expand(parent, TVE_EXPAND);
        SelectItem(item);
    });
}

const CZrFolderItem* CZrMAPITreeCtrl::GetFolderItem(HTREEITEM item) const { return DataOf(item); }

CZrFolderItem* CZrMAPITreeCtrl::DataOf(HTREEITEM item) const
{
    auto* data = reinterpret_cast<CZrFolderItem*>(GetItemData(item));
    // Only data the tree made itself: a stale value finds nothing.
    if (!data)
        return nullptr;
    auto found = m_mapItems.find(data->m_dwIdentity);
    return found != m_mapItems.end() && found->second.get() == data ? data : nullptr;
}

void CZrMAPITreeCtrl::OnDestroy()
{
    SetImageList(nullptr, TVSIL_NORMAL);
    SetImageList(nullptr, TVSIL_STATE);
    m_mapItems.clear();
    m_mapSpecialFolders.clear();
    m_spSession.Release();
}

BOOL CZrMAPITreeCtrl::OnChildNotify(const NMHDR* header, LRESULT* result)
{
    switch (header->code) {
    case TVN_ITEMEXPANDING: {
        auto* note = reinterpret_cast<const NMTREEVIEW*>(header);
        if (note->action == TVE_EXPAND)
            UpdateChildFolders(note->itemNew.hItem);
        return FALSE;
    }
    case TVN_ITEMEXPANDED: {
        auto* note = reinterpret_cast<const NMTREEVIEW*>(header);
        if (note->action == TVE_EXPAND)
            SortChildren(note->itemNew.hItem);
        return FALSE;
    }
    case NM_TVSTATEIMAGECHANGING: {
        auto* note = reinterpret_cast<const NMTVSTATEIMAGECHANGING*>(header);
        OnUserCheck(note->hti, note->uInput == TVSI_RBUTTON ? CheckOp::Untick : CheckOp::Toggle);
        *result = 1;
        return TRUE;
    }
    default:
        return FALSE;
    }
}
