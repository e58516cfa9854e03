#include "Convert.h"
#include "ImageListObject.h"
#include "ListCellWidth.h"
#include "ListItems.h"
#include "ui/ListCtrl.h"

#include <QFontMetrics>
#include <QHeaderView>
#include <QScrollBar>
#include <QTreeWidget>

namespace {

// The image list a view shows (a window property) and a row's picture.
constexpr const char* kImagesProp = "pollenta.images";
constexpr int kImageRole = Qt::UserRole + 1;

QTreeWidget* ViewOf(HWND hwnd) { return ListViewOf(hwnd); }

void ShowRowImage(HWND hwnd, QTreeWidgetItem* row, int image)
{
    row->setData(0, kImageRole, image);
    auto* images = static_cast<CImageList*>(GetProp(hwnd, kImagesProp));
    HIMAGELIST list = images ? images->GetSafeHandle() : nullptr;
    if (list && image >= 0 && static_cast<std::size_t>(image) < list->images.size())
        row->setIcon(0, list->images[static_cast<std::size_t>(image)]);
    else
        row->setIcon(0, QIcon());
}

QTreeWidgetItem* RowOf(HWND hwnd, int item)
{
    QTreeWidget* view = ViewOf(hwnd);
    return view && item >= 0 && item < view->topLevelItemCount() ? view->topLevelItem(item) : nullptr;
}

} // namespace

int CListCtrl::InsertColumn(int column, LPCSTR heading, int format, int width)
{
    QTreeWidget* view = ViewOf(m_hWnd);
    if (!view || column < 0)
        return -1;
    int count = view->columnCount();
    column = std::min(column, count);
    QStringList headings;
    for (int i = 0; i < count; ++i)
        headings << view->headerItem()->text(i);
    headings.insert(column, ToQString(heading));
    view->setColumnCount(count + 1);
    view->setHeaderLabels(headings);
    // Cells right of the new column move one to the right.
    for (int row = 0; row < view->topLevelItemCount(); ++row) {
        QTreeWidgetItem* item = view->topLevelItem(row);
        for (int i = count; i > column; --i)
            item->setText(i, item->text(i - 1));
        item->setText(column, QString());
    }
    Qt::Alignment alignment = format == LVCFMT_RIGHT ? Qt::AlignRight : format == LVCFMT_CENTER ? Qt::AlignHCenter : Qt::AlignLeft;
    view->headerItem()->setTextAlignment(column, alignment | Qt::AlignVCenter);
    view->header()->setStretchLastSection(false);
    if (width >= 0)
        view->setColumnWidth(column, width);
    return column;
}

int CListCtrl::GetColumnCount() const
{
    QTreeWidget* view = ViewOf(m_hWnd);
    return view ? view->columnCount() : 0;
}

BOOL CListCtrl::SetColumnWidth(int column, int width)
{
    QTreeWidget* view = ViewOf(m_hWnd);
    if (!view || column < 0 || column >= view->columnCount())
        return FALSE;
    if (width >= 0) {
        view->setColumnWidth(column, width);
        return TRUE;
    }
    // The widest cell, its icon and the margins the view draws around it.
    int fitted = 0;
    for (int row = 0; row < view->topLevelItemCount(); ++row)
        fitted = std::max(fitted, ListCellWidth(view, row, column));
    if (width == LVSCW_AUTOSIZE_USEHEADER) {
        fitted = std::max(fitted, view->header()->sectionSizeHint(column));
        if (column == view->columnCount() - 1) {
            int left = 0;
            for (int i = 0; i < column; ++i)
                left += view->columnWidth(i);
            fitted = std::max(fitted, view->viewport()->width() - left);
        }
    }
    view->setColumnWidth(column, fitted);
    return TRUE;
}

int CListCtrl::GetColumnWidth(int column) const
{
    QTreeWidget* view = ViewOf(m_hWnd);
    return view && column >= 0 && column < view->columnCount() ? view->columnWidth(column) : 0;
}

int CListCtrl::InsertItem(int item, LPCSTR text)
{
    QTreeWidget* view = ViewOf(m_hWnd);
    if (!view || item < 0)
        return -1;
    item = std::min(item, view->topLevelItemCount());
    auto* row = new QTreeWidgetItem;
    row->setText(0, ToQString(text));
    row->setToolTip(0, row->text(0));
    row->setData(0, Qt::UserRole, QVariant::fromValue<qulonglong>(0));
    view->insertTopLevelItem(item, row);
    // A row inserted without an image shows the first one, as on Windows.
    ShowRowImage(m_hWnd, row, 0);
    return item;
}

BOOL CListCtrl::SetItemText(int item, int subItem, LPCSTR text)
{
    QTreeWidgetItem* row = RowOf(m_hWnd, item);
    if (!row || subItem < 0 || subItem >= std::max(1, GetColumnCount()))
        return FALSE;
    row->setText(subItem, ToQString(text));
    // The whole text as a tip, for a cell narrower than its text.
    row->setToolTip(subItem, row->text(subItem));
    return TRUE;
}

std::string CListCtrl::GetItemText(int item, int subItem) const
{
    QTreeWidgetItem* row = RowOf(m_hWnd, item);
    return row && subItem >= 0 ? FromQString(row->text(subItem)) : std::string();
}

BOOL CListCtrl::SetItemData(int item, DWORD_PTR data)
{
    QTreeWidgetItem* row = RowOf(m_hWnd, item);
    if (!row)
        return FALSE;
    row->setData(0, Qt::UserRole, QVariant::fromValue<qulonglong>(data));
    return TRUE;
}

DWORD_PTR CListCtrl::GetItemData(int item) const
{
    QTreeWidgetItem* row = RowOf(m_hWnd, item);
    return row ? static_cast<DWORD_PTR>(row->data(0, Qt::UserRole).toULongLong()) : 0;
}

int CListCtrl::GetItemCount() const
{
    QTreeWidget* view = ViewOf(m_hWnd);
    return view ? view->topLevelItemCount() : 0;
}

BOOL CListCtrl::DeleteItem(int item)
{
    QTreeWidgetItem* row = RowOf(m_hWnd, item);
    if (!row)
        return FALSE;
    // A list view selects nothing in place of a deleted row; the view would
    // select the row that became current. The other rows keep their state.
    QTreeWidget* view = ViewOf(m_hWnd);
    QList<QTreeWidgetItem*> kept = view->selectedItems();
    kept.removeOne(row);
    delete row;
    for (QTreeWidgetItem* now : view->selectedItems())
        if (!kept.contains(now))
            now->setSelected(false);
    return TRUE;
}

BOOL CListCtrl::DeleteAllItems()
{
    QTreeWidget* view = ViewOf(m_hWnd);
    if (!view)
        return FALSE;
    view->clear();
    return TRUE;
}

int CListCtrl::GetNextItem(int start, UINT flags) const
{
    QTreeWidget* view = ViewOf(m_hWnd);
    if (!view)
        return -1;
    for (int item = std::max(start + 1, 0); item < view->topLevelItemCount(); ++item)
        if (!(flags & LVNI_SELECTED) || view->topLevelItem(item)->isSelected())
            return item;
    return -1;
}

UINT CListCtrl::GetSelectedCount() const
{
    QTreeWidget* view = ViewOf(m_hWnd);
    return view ? static_cast<UINT>(view->selectedItems().size()) : 0;
}

BOOL CListCtrl::SetItemState(int item, UINT state, UINT mask)
{
    QTreeWidgetItem* row = RowOf(m_hWnd, item);
    if (!row)
        return FALSE;
    QTreeWidget* view = row->treeWidget();
    if (mask & LVIS_SELECTED) {
        if ((state & LVIS_SELECTED) && view->selectionMode() == QAbstractItemView::SingleSelection)
            view->clearSelection();
        row->setSelected(state & LVIS_SELECTED);
    }
    if ((mask & LVIS_FOCUSED) && (state & LVIS_FOCUSED))
        view->setCurrentItem(row, 0, QItemSelectionModel::NoUpdate);
    return TRUE;
}

UINT CListCtrl::GetItemState(int item, UINT mask) const
{
    QTreeWidgetItem* row = RowOf(m_hWnd, item);
    if (!row)
        return 0;
    UINT state = (row->isSelected() ? LVIS_SELECTED : 0) | (row->treeWidget()->currentItem() == row ? LVIS_FOCUSED : 0);
    return state & mask;
}

BOOL CListCtrl::EnsureVisible(int item, BOOL)
{
    QTreeWidgetItem* row = RowOf(m_hWnd, item);
    if (!row)
        return FALSE;
    row->treeWidget()->scrollToItem(row);
    return TRUE;
}

DWORD CListCtrl::SetExtendedStyle(DWORD style)
{
    QTreeWidget* view = ViewOf(m_hWnd);
    if (!view)
        return 0;
    DWORD previous = view->selectionBehavior() == QAbstractItemView::SelectRows ? LVS_EX_FULLROWSELECT : 0;
    view->setSelectionBehavior((style & LVS_EX_FULLROWSELECT) ? QAbstractItemView::SelectRows : QAbstractItemView::SelectItems);
    return previous;
}

CImageList* CListCtrl::SetImageList(CImageList* images, int kind)
{
    QTreeWidget* view = ViewOf(m_hWnd);
    if (!view || kind != LVSIL_SMALL)
        return nullptr;
    auto* previous = static_cast<CImageList*>(GetProp(m_hWnd, kImagesProp));
    SetProp(m_hWnd, kImagesProp, images);
    if (images && images->GetSafeHandle())
        view->setIconSize(images->GetSafeHandle()->size);
    return previous;
}

int CListCtrl::InsertItem(int item, LPCSTR text, int image)
{
    const int row = InsertItem(item, text);
    QTreeWidgetItem* inserted = RowOf(m_hWnd, row);
    if (!inserted)
        return row;
    ShowRowImage(m_hWnd, inserted, image);
    return row;
}

int CListCtrl::GetItemImage(int item) const
{
    QTreeWidgetItem* row = RowOf(m_hWnd, item);
    if (!row)
        return -1;
    const QVariant image = row->data(0, kImageRole);
    return image.isValid() ? image.toInt() : -1;
}

BOOL CListCtrl::GetItemPosition(int item, LPPOINT point) const
{
    QTreeWidget* view = ViewOf(m_hWnd);
    QTreeWidgetItem* row = RowOf(m_hWnd, item);
    if (!view || !row || !point)
        return FALSE;
    const QRect rect = view->visualItemRect(row);
    const QPoint origin = view->viewport()->mapTo(view, rect.topLeft());
    *point = POINT{origin.x(), origin.y()};
    return TRUE;
}

int CListCtrl::HitTest(POINT point) const
{
    QTreeWidget* view = ViewOf(m_hWnd);
    if (!view)
        return -1;
    const QPoint at = view->viewport()->mapFrom(view, QPoint(point.x, point.y));
    QTreeWidgetItem* row = view->itemAt(at);
    return row ? view->indexOfTopLevelItem(row) : -1;
}

BOOL CListCtrl::Scroll(SIZE size)
{
    QTreeWidget* view = ViewOf(m_hWnd);
    if (!view)
        return FALSE;
    QScrollBar* vertical = view->verticalScrollBar();
    // The view scrolls by rows; a pixel distance becomes the rows it spans.
    const int rowHeight = view->topLevelItemCount() ? std::max(1, view->visualItemRect(view->topLevelItem(0)).height()) : 1;
    if (view->verticalScrollMode() == QAbstractItemView::ScrollPerItem)
        vertical->setValue(vertical->value() + size.cy / rowHeight);
    else
        vertical->setValue(vertical->value() + size.cy);
    view->horizontalScrollBar()->setValue(view->horizontalScrollBar()->value() + size.cx);
    return TRUE;
}
