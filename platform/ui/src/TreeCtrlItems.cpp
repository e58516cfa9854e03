// The tree's item images, fonts, expand buttons and sorting.

#include "GdiObjects.h"
#include "ImageListObject.h"
#include "TreeItems.h"
#include "WindowTable.h"

#include <QSignalBlocker>

#include <algorithm>
#include <vector>

using namespace tree_items;

namespace {

QTreeWidgetItem* ParentOrRoot(QTreeWidget* tree, HTREEITEM handle)
{
    if (!tree)
        return nullptr;
    return handle == TVI_ROOT || !handle ? tree->invisibleRootItem() : ItemOf(tree, handle);
}

void CollectExpanded(QTreeWidgetItem* item, std::vector<QTreeWidgetItem*>& expanded)
{
    for (int i = 0; i < item->childCount(); ++i) {
        QTreeWidgetItem* child = item->child(i);
        if (child->isExpanded())
            expanded.push_back(child);
        CollectExpanded(child, expanded);
    }
}

// Takes the children out, orders them and puts them back: the items (and
// so their handles) stay the same, and so do what is expanded below them
// and the selected item.
template <class Less>
BOOL Reorder(QTreeWidget* tree, QTreeWidgetItem* parent, Less less)
{
    if (!parent)
        return FALSE;
    std::vector<QTreeWidgetItem*> expanded;
    CollectExpanded(parent, expanded);
    QTreeWidgetItem* current = tree->currentItem();
    QList<QTreeWidgetItem*> children = parent->takeChildren();
    std::stable_sort(children.begin(), children.end(), less);
    parent->addChildren(children);
    const QSignalBlocker quiet(tree);
    for (QTreeWidgetItem* item : expanded)
        item->setExpanded(true);
    if (current && tree->currentItem() != current)
        tree->setCurrentItem(current);
    return TRUE;
}

} // namespace

BOOL CTreeCtrl::SetItemImage(HTREEITEM handle, int image, int selectedImage)
{
    QTreeWidgetItem* item = ItemOf(TreeOf(m_hWnd), handle);
    if (!item)
        return FALSE;
    item->setData(0, kImageRole, image);
    item->setData(0, kSelectedImageRole, selectedImage);
    ShowItemImage(item->treeWidget(), item);
    return TRUE;
}

CImageList* CTreeCtrl::SetImageList(CImageList* images, int kind)
{
    QTreeWidget* tree = TreeOf(m_hWnd);
    if (!tree || (kind != TVSIL_NORMAL && kind != TVSIL_STATE))
        return nullptr;
    const char* property = kind == TVSIL_NORMAL ? kNormalImagesProp : kStateImagesProp;
    auto* previous = static_cast<CImageList*>(GetProp(m_hWnd, property));
    SetProp(m_hWnd, property, images);
    if (images && images->GetSafeHandle() && kind == TVSIL_NORMAL)
        tree->setIconSize(images->GetSafeHandle()->size);
    for (QTreeWidgetItemIterator it(tree); *it; ++it) {
        if (kind == TVSIL_NORMAL)
            ShowItemImage(tree, *it);
        else
            ShowStateImage(*it, (*it)->data(0, kStateImageRole).toUInt());
    }
    tree->viewport()->update();
    return previous;
}

void tree_items::ShowItemImage(QTreeWidget* tree, QTreeWidgetItem* item)
{
    WindowRecord* record = tree ? WindowTable::Instance().FindByWidget(tree) : nullptr;
    auto* images = record ? static_cast<CImageList*>(GetProp(record->handle, kNormalImagesProp)) : nullptr;
    HIMAGELIST list = images ? images->GetSafeHandle() : nullptr;
    QVariant stored = item->data(0, kImageRole);
    int image = stored.isValid() ? stored.toInt() : -1;
    if (list && image >= 0 && static_cast<std::size_t>(image) < list->images.size())
        item->setIcon(0, list->images[static_cast<std::size_t>(image)]);
    else
        item->setIcon(0, QIcon());
}

BOOL CTreeCtrl::GetItemImage(HTREEITEM handle, int& image, int& selectedImage) const
{
    QTreeWidgetItem* item = ItemOf(TreeOf(m_hWnd), handle);
    if (!item)
        return FALSE;
    QVariant stored = item->data(0, kImageRole);
    image = stored.isValid() ? stored.toInt() : -1;
    stored = item->data(0, kSelectedImageRole);
    selectedImage = stored.isValid() ? stored.toInt() : -1;
    return TRUE;
}

BOOL CTreeCtrl::SetChildrenButton(HTREEITEM handle, BOOL show)
{
    QTreeWidgetItem* item = ItemOf(TreeOf(m_hWnd), handle);
    if (!item)
        return FALSE;
    item->setChildIndicatorPolicy(show ? QTreeWidgetItem::ShowIndicator : QTreeWidgetItem::DontShowIndicatorWhenChildless);
    return TRUE;
}

BOOL CTreeCtrl::SetItemFont(HTREEITEM handle, HFONT font)
{
    QTreeWidget* tree = TreeOf(m_hWnd);
    QTreeWidgetItem* item = ItemOf(tree, handle);
    if (!item)
        return FALSE;
    item->setFont(0, font ? font->font : tree->font());
    return TRUE;
}

BOOL CTreeCtrl::SortChildren(HTREEITEM handle)
{
    QTreeWidget* tree = TreeOf(m_hWnd);
    return Reorder(tree, ParentOrRoot(tree, handle), [](QTreeWidgetItem* a, QTreeWidgetItem* b) {
        return a->text(0).compare(b->text(0), Qt::CaseInsensitive) < 0;
    });
}

BOOL CTreeCtrl::SortChildrenCB(HTREEITEM handle, PFNTVCOMPARE compare, LPARAM sortData)
{
    if (!compare)
        return FALSE;
    QTreeWidget* tree = TreeOf(m_hWnd);
    return Reorder(tree, ParentOrRoot(tree, handle), [compare, sortData](QTreeWidgetItem* a, QTreeWidgetItem* b) {
        auto data = [](QTreeWidgetItem* item) { return static_cast<LPARAM>(item->data(0, kDataRole).toULongLong()); };
        return compare(data(a), data(b), sortData) < 0;
    });
}
