#pragma once
// A tree view: items under items, with item data and state images. Attach
// it to a dialog's "SysTreeView32" control. State image 1 shows an empty
// check box, 2 a checked one and 3 a partly checked one; 0 shows none. A
// click on a check box first asks the tree's receivers (see
// NM_TVSTATEIMAGECHANGING in ui/CommonNotify.h). Expanding an item tells
// them too (TVN_ITEMEXPANDING, then TVN_ITEMEXPANDED), so that children can
// be loaded when they are first shown.

#include "ui/Wnd.h"

#include <string>

class CImageList;

inline constexpr int TVSIL_NORMAL = 0;
inline constexpr int TVSIL_STATE = 2;

struct _TREEITEM;
using HTREEITEM = _TREEITEM*;
extern const HTREEITEM TVI_ROOT;
extern const HTREEITEM TVI_FIRST;
extern const HTREEITEM TVI_LAST;

inline constexpr UINT TVIS_SELECTED = 0x0002;
inline constexpr UINT TVIS_EXPANDED = 0x0020;
inline constexpr UINT TVIS_STATEIMAGEMASK = 0xF000;
constexpr UINT INDEXTOSTATEIMAGEMASK(UINT index) { return index << 12; }

inline constexpr UINT TVE_COLLAPSE = 0x1;
inline constexpr UINT TVE_EXPAND = 0x2;
inline constexpr UINT TVE_TOGGLE = 0x3;

// Orders two items by their data: negative, zero or positive.
using PFNTVCOMPARE = int (*)(LPARAM data1, LPARAM data2, LPARAM sortData);

class CTreeCtrl : public CWnd {
public:
    // After `insertAfter` among the parent's children (TVI_FIRST, TVI_LAST
    // or a sibling); null when the parent or sibling is not in this tree.
    HTREEITEM InsertItem(LPCSTR text, HTREEITEM parent = TVI_ROOT, HTREEITEM insertAfter = TVI_LAST);
    BOOL DeleteItem(HTREEITEM item);
    BOOL DeleteAllItems();
    UINT GetCount() const;

    HTREEITEM GetRootItem() const;
    HTREEITEM GetChildItem(HTREEITEM item) const;
    HTREEITEM GetNextSiblingItem(HTREEITEM item) const;
    HTREEITEM GetParentItem(HTREEITEM item) const;
    BOOL ItemHasChildren(HTREEITEM item) const;

    std::string GetItemText(HTREEITEM item) const;
    BOOL SetItemText(HTREEITEM item, LPCSTR text);
    BOOL SetItemData(HTREEITEM item, DWORD_PTR data);
    DWORD_PTR GetItemData(HTREEITEM item) const;
    BOOL SetItemState(HTREEITEM item, UINT state, UINT mask);
    UINT GetItemState(HTREEITEM item, UINT mask) const;

    BOOL SelectItem(HTREEITEM item);
    HTREEITEM GetSelectedItem() const;
    BOOL Expand(HTREEITEM item, UINT code);

    // The index of the item's image in the tree's image list, which the
    // tree's owner draws from; -1 before one is set.
    BOOL SetItemImage(HTREEITEM item, int image, int selectedImage);
    BOOL GetItemImage(HTREEITEM item, int& image, int& selectedImage) const;
    // The pictures the items show (TVSIL_NORMAL) and the state images in
    // place of the check boxes (TVSIL_STATE); the tree does not own the
    // list. Answers the list it replaces.
    CImageList* SetImageList(CImageList* images, int kind);
    // Shows the expand button before any child is there (children that
    // are loaded on expanding).
    BOOL SetChildrenButton(HTREEITEM item, BOOL show);
    // The item's own font; null goes back to the tree's. The tree does not
    // own it.
    BOOL SetItemFont(HTREEITEM item, HFONT font);
    // The item's children by text, case-insensitive; or by the comparison.
    BOOL SortChildren(HTREEITEM item);
    BOOL SortChildrenCB(HTREEITEM item, PFNTVCOMPARE compare, LPARAM sortData);
};
