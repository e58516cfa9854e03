#pragma once
// A list view in report mode: columns, rows with item data, selection.
// Attach it to a dialog's "SysListView32" control.

#include "ui/Wnd.h"

#include <string>

inline constexpr int LVCFMT_LEFT = 0;
inline constexpr int LVCFMT_RIGHT = 1;
inline constexpr int LVCFMT_CENTER = 2;
inline constexpr int LVSCW_AUTOSIZE = -1;
inline constexpr int LVSCW_AUTOSIZE_USEHEADER = -2;
inline constexpr UINT LVNI_ALL = 0;
inline constexpr UINT LVNI_SELECTED = 2;
inline constexpr UINT LVIS_FOCUSED = 1;
inline constexpr UINT LVIS_SELECTED = 2;
inline constexpr DWORD LVS_EX_FULLROWSELECT = 0x20;
inline constexpr int LVSIL_NORMAL = 0;
inline constexpr int LVSIL_SMALL = 1;

class CImageList;

// Orders two rows by their item data: negative, zero or positive.
using PFNLVCOMPARE = int (*)(LPARAM data1, LPARAM data2, LPARAM sortData);

class CListCtrl : public CWnd {
public:
    // Answers the new column's index, or -1.
    int InsertColumn(int column, LPCSTR heading, int format = LVCFMT_LEFT, int width = -1);
    int GetColumnCount() const;
    // LVSCW_AUTOSIZE fits the widest item, LVSCW_AUTOSIZE_USEHEADER the
    // heading too (the last column then fills the rest of the list).
    BOOL SetColumnWidth(int column, int width);
    int GetColumnWidth(int column) const;

    // Answers the row's index, or -1.
    int InsertItem(int item, LPCSTR text);
    BOOL SetItemText(int item, int subItem, LPCSTR text);
    std::string GetItemText(int item, int subItem) const;
    BOOL SetItemData(int item, DWORD_PTR data);
    DWORD_PTR GetItemData(int item) const;
    int GetItemCount() const;
    BOOL DeleteItem(int item);
    BOOL DeleteAllItems();

    // The first row after `start` (-1: from the top) that has the state.
    int GetNextItem(int start, UINT flags) const;
    UINT GetSelectedCount() const;
    BOOL SetItemState(int item, UINT state, UINT mask);
    UINT GetItemState(int item, UINT mask) const;
    BOOL EnsureVisible(int item, BOOL partialOK);
    DWORD SetExtendedStyle(DWORD style);

    // Pictures beside the rows: the list does not own the image list, which
    // must live as long as the list shows it. Answers the previous one.
    CImageList* SetImageList(CImageList* images, int kind);
    // A row with the picture at `image` of the small image list.
    int InsertItem(int item, LPCSTR text, int image);
    int GetItemImage(int item) const;
    // The row's top left corner in the list's client coordinates.
    BOOL GetItemPosition(int item, LPPOINT point) const;
    // The row at a point in the list's client coordinates, or -1 where
    // there is none (the empty area below the rows).
    int HitTest(POINT point) const;
    // Scrolls the rows by `size` pixels (cy down, cx right).
    BOOL Scroll(SIZE size);
    // Orders the rows; selected rows stay selected.
    BOOL SortItems(PFNLVCOMPARE compare, DWORD_PTR sortData);
    // A text the list shows while it has no rows: centred and word-wrapped
    // in the window's text colour, 10 pixels below the column headings.
    // An empty text shows nothing.
    BOOL SetEmptyText(LPCSTR text);
    // The text shown now: the empty text while there are no rows, else "".
    std::string GetShownEmptyText() const;
};
