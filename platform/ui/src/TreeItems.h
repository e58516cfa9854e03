#pragma once
// Tree items by handle: a handle is the QTreeWidgetItem itself, looked up
// in its tree before use, so a handle from another tree or a deleted item
// finds nothing.

#include "Dispatch.h"
#include "ui/TreeCtrl.h"

#include <QTreeWidget>

namespace tree_items {

inline constexpr int kDataRole = Qt::UserRole;
inline constexpr int kStateImageRole = Qt::UserRole + 1;
inline constexpr int kImageRole = Qt::UserRole + 2;
inline constexpr int kSelectedImageRole = Qt::UserRole + 3;

inline QTreeWidget* TreeOf(HWND hwnd)
{
    WindowRecord* record = FindRecord(hwnd);
    return record ? qobject_cast<QTreeWidget*>(record->widget.data()) : nullptr;
}

inline HTREEITEM ToHandle(QTreeWidgetItem* item) { return reinterpret_cast<HTREEITEM>(item); }

inline QTreeWidgetItem* ItemOf(QTreeWidget* tree, HTREEITEM handle)
{
    if (!tree || !handle || handle == TVI_ROOT || handle == TVI_FIRST || handle == TVI_LAST)
        return nullptr;
    for (QTreeWidgetItemIterator it(tree); *it; ++it)
        if (ToHandle(*it) == handle)
            return *it;
    return nullptr;
}

// The image lists a tree draws from (window properties), or null.
inline constexpr const char* kNormalImagesProp = "pollenta.tree.images";
inline constexpr const char* kStateImagesProp = "pollenta.tree.states";

// The check box the state image stands for; other images show none. With
// a state image list every state image takes the box's place, drawn from
// the list.
void ShowStateImage(QTreeWidgetItem* item, UINT index);
// The item's picture from the tree's normal image list.
void ShowItemImage(QTreeWidget* tree, QTreeWidgetItem* item);

} // namespace tree_items
