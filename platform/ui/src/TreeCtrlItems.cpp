// The tree's item images, fonts, expand buttons and sorting.

#include "GdiObjects.h"
#include "TreeItems.h"

#include <algorithm>

using namespace tree_items;

namespace {

QTreeWidgetItem* ParentOrRoot(QTreeWidget* tree, HTREEITEM handle)
{
    if (!tree)
        return nullptr;
    return handle == TVI_ROOT || !handle ? tree->invisibleRootItem() : ItemOf(tree, handle);
}

// Takes the children out, orders them and puts them back: the items (and
// so their handles) stay the same.
template <class Less>
BOOL Reorder(QTreeWidgetItem* parent, Less less)
{
    if (!parent)
        return FALSE;
    QList<QTreeWidgetItem*> children = parent->takeChildren();
    std::stable_sort(children.begin(), children.end(), less);
    parent->addChildren(children);
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
    return TRUE;
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
    return Reorder(ParentOrRoot(TreeOf(m_hWnd), handle), [](QTreeWidgetItem* a, QTreeWidgetItem* b) {
        return a->text(0).compare(b->text(0), Qt::CaseInsensitive) < 0;
    });
}

BOOL CTreeCtrl::SortChildrenCB(HTREEITEM handle, PFNTVCOMPARE compare, LPARAM sortData)
{
    if (!compare)
        return FALSE;
    return Reorder(ParentOrRoot(TreeOf(m_hWnd), handle), [compare, sortData](QTreeWidgetItem* a, QTreeWidgetItem* b) {
        auto data = [](QTreeWidgetItem* item) { return static_cast<LPARAM>(item->data(0, kDataRole).toULongLong()); };
        return compare(data(a), data(b), sortData) < 0;
    });
}
