#pragma once
// What list and tree views tell their parent beyond the plain header:
// which item or column a notification is about. Each structure starts with
// its NMHDR, so an OnNotify handler casts the header it receives.
//
//     LRESULT OnNotify(const NMHDR* header) override
//     {
//         if (header->code == LVN_COLUMNCLICK)
//             SortBy(reinterpret_cast<const NMLISTVIEW*>(header)->iSubItem);
//         return 0;
//     }

#include "ui/TreeCtrl.h"
#include "ui/Types.h"

inline constexpr UINT NM_TVSTATEIMAGECHANGING = static_cast<UINT>(-24);
inline constexpr UINT LVN_COLUMNCLICK = static_cast<UINT>(-108);
inline constexpr UINT TVN_ITEMEXPANDING = static_cast<UINT>(-405);
inline constexpr UINT TVN_ITEMEXPANDED = static_cast<UINT>(-406);

struct NMLISTVIEW {
    NMHDR hdr;
    int iItem;
    int iSubItem;
};

struct TVITEM {
    HTREEITEM hItem;
    LPARAM lParam;
};

// TVN_ITEMEXPANDING and TVN_ITEMEXPANDED: `action` is TVE_EXPAND or
// TVE_COLLAPSE, `itemNew` the item.
struct NMTREEVIEW {
    NMHDR hdr;
    UINT action;
    TVITEM itemNew;
};

// What the user did to a state image.
inline constexpr UINT TVSI_LBUTTON = 1;
inline constexpr UINT TVSI_RBUTTON = 2;
inline constexpr UINT TVSI_KEYBOARD = 3; // the space bar on the selected item

// NM_TVSTATEIMAGECHANGING: the user clicked an item's check box (either
// button, also a double click) or pressed the space bar on it. A receiver
// that answers non-zero keeps the tree from changing the state image itself
// (it then sets the images it wants); otherwise 1 becomes 2 and anything
// else 1.
struct NMTVSTATEIMAGECHANGING {
    NMHDR hdr;
    HTREEITEM hti;
    int iOldStateImageIndex;
    int iNewStateImageIndex;
    UINT uInput;
};
