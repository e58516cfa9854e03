#pragma once
// The folders of every message store of a MAPI session in a tree with
// check boxes. A folder's check state also tells whether its whole subtree
// is ticked. Folders load level by level as the user expands them; a
// folder named by its ids loads with the path to it.
//
//     CZrMAPITreeCtrl tree;
//     tree.SubclassDlgItem(IDC_FOLDERS, this);
//     tree.Initialize(session, CZrMAPITreeCtrl::kDefaultTypeMask, CZrMAPITreeCtrl::kSkipPublicStores);
//     tree.SetCheckChangedSink([this] { CollectSettings(); });
//     tree.SetFolderChState(storeId, folderId, CWEWatchedFolder::kWatchFolder);
//
// Public methods report their own failures (a message box) and answer the
// failure's code.

#include "tree/CZrFolderItem.h"

#include "com/ComPtr.h"
#include "mapi/IMAPISession.h"
#include "mapi/IMsgStore.h"
#include "ui/ImageList.h"
#include "ui/TreeCtrl.h"

#include <functional>
#include <map>
#include <memory>

class CZrMAPITreeCtrl : public CTreeCtrl {
public:
    // Folder types, from the folder's container class.
    static constexpr int kTypeUnclassed = 2;
    static constexpr int kTypeMail = 4;
    static constexpr int kTypeAppointment = 8;
    static constexpr int kTypeContact = 16;
    static constexpr int kTypeTask = 32;
    static constexpr int kTypeJournal = 64;
    static constexpr int kTypeStickyNote = 128;
    // Mail and unclassed folders.
    static constexpr ULONG kDefaultTypeMask = 0x106;
    // Special folders and store roots.
    static constexpr int kSpecialInbox = 1;
    static constexpr int kSpecialOutbox = 2;
    static constexpr int kSpecialStore = 4;
    static constexpr int kSpecialDefaultStore = 8;
    static constexpr int kSpecialDrafts = 16;
    static constexpr int kSpecialDeletedItems = 32;
    static constexpr int kSpecialSentItems = 48;
    // Option bit: stores with public folders stay out of the tree.
    static constexpr ULONG kSkipPublicStores = 0x1;
    // Images of the second half are the dimmed ones of unwatchable folders.
    static constexpr int kDimmedImages = 13;

    // Check states.
    static constexpr int kUnticked = 1;
    static constexpr int kTicked = 2;             // some of the subtree is not
    static constexpr int kTickedSubtree = 3;      // with the whole subtree
    static constexpr int kUntickedBelow = 4;      // not ticked, something below is
    static constexpr int kContainerTicked = 5;    // 2 and 3 for a folder that cannot
    static constexpr int kContainerSubtree = 6;   // be watched itself

    // The tree's state images: an empty, a ticked and a partly ticked box.
    static constexpr UINT kImageEmpty = 1;
    static constexpr UINT kImageTicked = 2;
    static constexpr UINT kImagePartly = 3;

    // Check-state operations.
    enum class CheckOp { Tick, Untick, TickSubtree, UntickAll, Toggle, Reevaluate };

    CZrMAPITreeCtrl();
    ~CZrMAPITreeCtrl() override;

    HRESULT Initialize(IMAPISession* session, ULONG typeMask, ULONG options);
    // Bit 1 ticks with the subtree, else bit 0 ticks, else unticks.
    HRESULT SetFolderChState(const CZrEntryID& storeId, const CZrEntryID& folderId, DWORD bits);
    // MAPI_E_NOT_FOUND for a folder that is not loaded. `item` may be null.
    HRESULT GetFolderChState(const CZrEntryID& storeId, const CZrEntryID& folderId, DWORD* bits, HTREEITEM* item);
    HRESULT SelectFolder(const CZrEntryID& storeId, const CZrEntryID& folderId);
    HRESULT UpdateChildFolders(HTREEITEM item);

    // What the tree posts to its parent after the user changed a check.
    void SetCheckChangedSink(std::function<void()> sink) { m_checkChanged = std::move(sink); }

    // Null for an item without folder data.
    const CZrFolderItem* GetFolderItem(HTREEITEM item) const;
    // The check bits of an item: bit 0 ticked, bit 1 with the subtree.
    static DWORD CheckBitsOf(int state);
    // The state image that shows a check state.
    static UINT StateImageOf(int state);
    void UpdateCheckState(HTREEITEM item, CheckOp op);

    static DWORD CalcFolderCRC32(const CZrEntryID& storeId, const CZrEntryID& folderId);
    static int CalcFolderType(const char* containerClass);
    int GetFolderImage(int specialKind, int folderType) const;
    bool IsWatchable(int folderType) const;

    void OnDestroy() override;
    BOOL OnChildNotify(const NMHDR* header, LRESULT* result) override;

private:
    struct ChildCounts {
        int all = 0;
        int relevant = 0;
        int full = 0;
        int any = 0;
    };

    void LoadMsgStorage(const CZrEntryID& storeId, bool isDefault);
    void AppendSpecialFolders(IMsgStore* store, const CZrEntryID& storeId);
    void AppendSpecialFolder(IMsgStore* store, const CZrEntryID& storeId, const CZrEntryID& folderId, int kind);
    void LoadChildren(HTREEITEM item);
    void InsertFolder(CZrFolderItem& parent, IMsgStore* store, const SBinary& childId);
    HTREEITEM ForceLoadFolder(const CZrEntryID& storeId, const CZrEntryID& folderId);
    HTREEITEM FindItem(const CZrEntryID& storeId, const CZrEntryID& folderId) const;
    CComPtr<IMsgStore> OpenStore(const CZrEntryID& storeId, ULONG flags) const;
    CZrFolderItem* AddItem(std::unique_ptr<CZrFolderItem> data, HTREEITEM parent);
    void SortRootItems();
    HFONT ItalicFont();
    // The folder pictures (bitmap 211) and the boxes (bitmap 208), made once.
    void SetUpImageLists();

    CZrFolderItem* DataOf(HTREEITEM item) const;
    ChildCounts CountChildren(HTREEITEM item) const;
    bool TakesCheck(const CZrFolderItem& data) const;
    void SetState(CZrFolderItem& data, int state);
    void TickSubtree(HTREEITEM item);
    void UntickSubtree(HTREEITEM item);
    void ReevaluateUpward(HTREEITEM item);
    int Reevaluated(const CZrFolderItem& data) const;
    void OnUserCheck(HTREEITEM item, CheckOp op);

    template <class Action>
    HRESULT Guarded(Action action);

    CComPtr<IMAPISession> m_spSession;
    ULONG m_ulTypeMask = kDefaultTypeMask;
    ULONG m_ulOptions = 0;
    HFONT m_hItalicFont = nullptr;
    CImageList m_FolderImages;
    CImageList m_StateImages;
    std::map<DWORD, std::unique_ptr<CZrFolderItem>> m_mapItems;
    std::map<DWORD, int> m_mapSpecialFolders;
    std::function<void()> m_checkChanged;
};
