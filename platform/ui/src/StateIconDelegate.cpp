#include "StateIconDelegate.h"
#include "ImageListObject.h"
#include "TreeItems.h"
#include "ui/CommonNotify.h"

#include <algorithm>

#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

using namespace tree_items;

StateIconDelegate::StateIconDelegate(QTreeWidget* tree, HWND hwnd) : QStyledItemDelegate(tree), m_tree(tree), m_hwnd(hwnd) {}

bool StateIconDelegate::OnCheckBox(const QStyleOptionViewItem& option, const QModelIndex& index, QPoint at) const
{
    QStyleOptionViewItem item(option);
    initStyleOption(&item, index);
    if (!(item.features & QStyleOptionViewItem::HasCheckIndicator))
        return false;
    const QWidget* widget = option.widget;
    QStyle* style = widget ? widget->style() : QApplication::style();
    return style->subElementRect(QStyle::SE_ItemViewItemCheckIndicator, &item, widget).contains(at);
}

void StateIconDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const
{
    QStyleOptionViewItem item(option);
    initStyleOption(&item, index);
    if ((item.features & QStyleOptionViewItem::HasCheckIndicator) && PaintStateImage(painter, item, index))
        return;
    if (!(item.features & QStyleOptionViewItem::HasCheckIndicator) || item.checkState != Qt::PartiallyChecked)
        return QStyledItemDelegate::paint(painter, option, index);
    // The classic style draws a partly checked box as a grayed tick, which
    // reads as ticked; a square inside an empty box reads as "some of it".
    const QWidget* widget = option.widget;
    QStyle* style = widget ? widget->style() : QApplication::style();
    item.checkState = Qt::Unchecked;
    style->drawControl(QStyle::CE_ItemViewItem, &item, painter, widget);
    QRect box = style->subElementRect(QStyle::SE_ItemViewItemCheckIndicator, &item, widget);
    const int inset = std::max(3, box.width() / 4);
    painter->fillRect(box.adjusted(inset, inset, -inset, -inset), item.palette.color(QPalette::Text));
}

bool StateIconDelegate::PaintStateImage(QPainter* painter, QStyleOptionViewItem& item, const QModelIndex& index) const
{
    auto* images = static_cast<CImageList*>(GetProp(m_hwnd, kStateImagesProp));
    HIMAGELIST list = images ? images->GetSafeHandle() : nullptr;
    const std::size_t state = index.data(kStateImageRole).toUInt();
    if (!list || state == 0 || state >= list->images.size())
        return false;
    const QWidget* widget = item.widget;
    QStyle* style = widget ? widget->style() : QApplication::style();
    QRect box = style->subElementRect(QStyle::SE_ItemViewItemCheckIndicator, &item, widget);
    item.checkState = Qt::Unchecked;
    style->drawControl(QStyle::CE_ItemViewItem, &item, painter, widget);
    painter->fillRect(box, item.palette.color(QPalette::Base));
    QRect picture(QPoint(0, 0), list->size);
    picture.moveCenter(box.center());
    list->images[state].paint(painter, picture);
    return true;
}

void StateIconDelegate::Report(QTreeWidgetItem* item, UINT input) const
{
    WindowRecord* record = FindRecord(m_hwnd);
    if (!record || !item)
        return;
    HTREEITEM handle = ToHandle(item);
    int old = item->data(0, kStateImageRole).toInt();
    NMTVSTATEIMAGECHANGING note{{m_hwnd, static_cast<UINT_PTR>(record->id), NM_TVSTATEIMAGECHANGING},
                                handle, old, old == 1 ? 2 : 1, input};
    if (SendNotifyHeader(*record, &note.hdr) != 0)
        return;
    // The receivers may have removed the item or the whole tree meanwhile.
    if (QTreeWidgetItem* still = ItemOf(TreeOf(m_hwnd), handle))
        ShowStateImage(still, static_cast<UINT>(note.iNewStateImageIndex));
}

bool StateIconDelegate::editorEvent(QEvent* event, QAbstractItemModel*, const QStyleOptionViewItem& option,
                                    const QModelIndex& index)
{
    switch (event->type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:
    case QEvent::MouseButtonRelease: {
        auto* mouse = static_cast<QMouseEvent*>(event);
        QPoint at = mouse->position().toPoint();
        if (!OnCheckBox(option, index, at))
            return false;
        // The press acts; the release and the second click of a double
        // click are the same gesture and only swallowed, as Windows does.
        if (event->type() == QEvent::MouseButtonRelease)
            return true;
        if (mouse->button() == Qt::LeftButton)
            Report(m_tree->itemAt(at), TVSI_LBUTTON);
        else if (mouse->button() == Qt::RightButton)
            Report(m_tree->itemAt(at), TVSI_RBUTTON);
        return true;
    }
    case QEvent::KeyPress: {
        int key = static_cast<QKeyEvent*>(event)->key();
        if (key != Qt::Key_Space && key != Qt::Key_Select)
            return false;
        if (!m_tree->currentItem() || !m_tree->currentItem()->data(0, kStateImageRole).toInt())
            return false;
        Report(m_tree->currentItem(), TVSI_KEYBOARD);
        return true;
    }
    default:
        return false;
    }
}
