#include "Convert.h"
#include "TreeItems.h"
#include "WindowTable.h"

const HTREEITEM TVI_ROOT = reinterpret_cast<HTREEITEM>(static_cast<std::intptr_t>(-0x10000));
const HTREEITEM TVI_FIRST = reinterpret_cast<HTREEITEM>(static_cast<std::intptr_t>(-0x0FFFF));
const HTREEITEM TVI_LAST = reinterpret_cast<HTREEITEM>(static_cast<std::intptr_t>(-0x0FFFE));

using namespace tree_items;

void tree_items::ShowStateImage(QTreeWidgetItem* item, UINT index)
{
    item->setData(0, kStateImageRole, index);
    switch (index) {
    case 1:
        item->setCheckState(0, Qt::Unchecked);
        break;
    case 2:
        item->setCheckState(0, Qt::Checked);
        break;
    case 3:
        item->setCheckState(0, Qt::PartiallyChecked);
        break;
    default: {
        WindowRecord* tree = item->treeWidget() ? WindowTable::Instance().FindByWidget(item->treeWidget()) : nullptr;
        if (index != 0 && tree && GetProp(tree->handle, kStateImagesProp))
            item->setCheckState(0, Qt::Unchecked);
        else
            item->setData(0, Qt::CheckStateRole, QVariant());
        break;
    }
    }
}

HTREEITEM CTreeCtrl::InsertItem(LPCSTR text, HTREEITEM parent, HTREEITEM insertAfter)
{
    QTreeWidget* tree = TreeOf(m_hWnd);
    if (!tree)
        return nullptr;
    QTreeWidgetItem* parentItem = parent == TVI_ROOT || !parent ? tree->invisibleRootItem() : ItemOf(tree, parent);
    if (!parentItem)
        return nullptr;
    int index = parentItem->childCount();
    if (insertAfter == TVI_FIRST) {
        index = 0;
    } else if (insertAfter != TVI_LAST) {
        QTreeWidgetItem* sibling = ItemOf(tree, insertAfter);
        if (!sibling || (sibling->parent() ? sibling->parent() : tree->invisibleRootItem()) != parentItem)
            return nullptr;
        index = parentItem->indexOfChild(sibling) + 1;
    }
    auto* item = new QTreeWidgetItem;
    item->setText(0, ToQString(text));
    item->setData(0, kDataRole, QVariant::fromValue<qulonglong>(0));
    parentItem->insertChild(index, item);
    if (GetWindowLong(m_hWnd, GWL_STYLE) & static_cast<LONG>(TVS_CHECKBOXES))
        ShowStateImage(item, 1);
    return ToHandle(item);
}

BOOL CTreeCtrl::DeleteItem(HTREEITEM handle)
{
    QTreeWidget* tree = TreeOf(m_hWnd);
    if (handle == TVI_ROOT)
        return DeleteAllItems();
    QTreeWidgetItem* item = ItemOf(tree, handle);
    delete item;
    return item != nullptr;
}

BOOL CTreeCtrl::DeleteAllItems()
{
    QTreeWidget* tree = TreeOf(m_hWnd);
    if (!tree)
        return FALSE;
    tree->clear();
    return TRUE;
}

UINT CTreeCtrl::GetCount() const
{
    QTreeWidget* tree = TreeOf(m_hWnd);
    UINT count = 0;
    if (tree)
        for (QTreeWidgetItemIterator it(tree); *it; ++it)
            ++count;
    return count;
}

HTREEITEM CTreeCtrl::GetRootItem() const
{
    QTreeWidget* tree = TreeOf(m_hWnd);
    return tree && tree->topLevelItemCount() ? ToHandle(tree->topLevelItem(0)) : nullptr;
}

HTREEITEM CTreeCtrl::GetChildItem(HTREEITEM handle) const
{
    QTreeWidget* tree = TreeOf(m_hWnd);
    if (handle == TVI_ROOT || !handle)
        return GetRootItem();
    QTreeWidgetItem* item = ItemOf(tree, handle);
    return item && item->childCount() ? ToHandle(item->child(0)) : nullptr;
}

HTREEITEM CTreeCtrl::GetNextSiblingItem(HTREEITEM handle) const
{
    QTreeWidget* tree = TreeOf(m_hWnd);
    QTreeWidgetItem* item = ItemOf(tree, handle);
    if (!item)
        return nullptr;
    QTreeWidgetItem* parent = item->parent() ? item->parent() : tree->invisibleRootItem();
    int next = parent->indexOfChild(item) + 1;
    return next < parent->childCount() ? ToHandle(parent->child(next)) : nullptr;
}

HTREEITEM CTreeCtrl::GetParentItem(HTREEITEM handle) const
{
    QTreeWidgetItem* item = ItemOf(TreeOf(m_hWnd), handle);
    return item ? ToHandle(item->parent()) : nullptr;
}

BOOL CTreeCtrl::ItemHasChildren(HTREEITEM handle) const
{
    QTreeWidgetItem* item = ItemOf(TreeOf(m_hWnd), handle);
    return item && item->childCount() > 0;
}

std::string CTreeCtrl::GetItemText(HTREEITEM handle) const
{
    QTreeWidgetItem* item = ItemOf(TreeOf(m_hWnd), handle);
    return item ? FromQString(item->text(0)) : std::string();
}

BOOL CTreeCtrl::SetItemText(HTREEITEM handle, LPCSTR text)
{
    QTreeWidgetItem* item = ItemOf(TreeOf(m_hWnd), handle);
    if (!item)
        return FALSE;
    item->setText(0, ToQString(text));
    return TRUE;
}

BOOL CTreeCtrl::SetItemData(HTREEITEM handle, DWORD_PTR data)
{
    QTreeWidgetItem* item = ItemOf(TreeOf(m_hWnd), handle);
    if (!item)
        return FALSE;
    item->setData(0, kDataRole, QVariant::fromValue<qulonglong>(data));
    return TRUE;
}

DWORD_PTR CTreeCtrl::GetItemData(HTREEITEM handle) const
{
    QTreeWidgetItem* item = ItemOf(TreeOf(m_hWnd), handle);
    return item ? static_cast<DWORD_PTR>(item->data(0, kDataRole).toULongLong()) : 0;
}

BOOL CTreeCtrl::SetItemState(HTREEITEM handle, UINT state, UINT mask)
{
    QTreeWidgetItem* item = ItemOf(TreeOf(m_hWnd), handle);
    if (!item)
        return FALSE;
    if (mask & TVIS_STATEIMAGEMASK)
        ShowStateImage(item, (state & TVIS_STATEIMAGEMASK) >> 12);
    if (mask & TVIS_SELECTED)
        item->setSelected(state & TVIS_SELECTED);
    if (mask & TVIS_EXPANDED)
        item->setExpanded(state & TVIS_EXPANDED);
    return TRUE;
}

UINT CTreeCtrl::GetItemState(HTREEITEM handle, UINT mask) const
{
    QTreeWidgetItem* item = ItemOf(TreeOf(m_hWnd), handle);
    if (!item)
        return 0;
    UINT image = item->data(0, kStateImageRole).toUInt();
    UINT state = INDEXTOSTATEIMAGEMASK(image) | (item->isSelected() ? TVIS_SELECTED : 0) |
                 (item->isExpanded() ? TVIS_EXPANDED : 0);
    return state & mask;
}

BOOL CTreeCtrl::SelectItem(HTREEITEM handle)
{
    QTreeWidget* tree = TreeOf(m_hWnd);
    if (!tree)
        return FALSE;
    if (!handle) {
        tree->setCurrentItem(nullptr);
        tree->clearSelection();
        return TRUE;
    }
    QTreeWidgetItem* item = ItemOf(tree, handle);
    if (!item)
        return FALSE;
    tree->setCurrentItem(item);
    return TRUE;
}

HTREEITEM CTreeCtrl::GetSelectedItem() const
{
    QTreeWidget* tree = TreeOf(m_hWnd);
    return tree ? ToHandle(tree->currentItem()) : nullptr;
}

BOOL CTreeCtrl::Expand(HTREEITEM handle, UINT code)
{
    QTreeWidgetItem* item = ItemOf(TreeOf(m_hWnd), handle);
    if (!item)
        return FALSE;
    bool expand = code == TVE_TOGGLE ? !item->isExpanded() : code == TVE_EXPAND;
    item->setExpanded(expand);
    return TRUE;
}
