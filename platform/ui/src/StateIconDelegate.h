#pragma once
// Draws a check-box tree's items as Qt does, but a partly checked box as an
// empty box with a filled square in every style; a click on an item's check
// box, or the space bar on it, becomes NM_TVSTATEIMAGECHANGING for the
// tree's receivers instead of a check-state change of Qt's own.

#include "ui/Types.h"

#include <QStyledItemDelegate>

class QTreeWidget;
class QTreeWidgetItem;

class StateIconDelegate : public QStyledItemDelegate {
public:
    StateIconDelegate(QTreeWidget* tree, HWND hwnd);

    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override;

protected:
    bool editorEvent(QEvent* event, QAbstractItemModel* model, const QStyleOptionViewItem& option,
                     const QModelIndex& index) override;

private:
    // Draws the item with its state image from the tree's state image list
    // in the box's place; false when the tree has none for the item.
    bool PaintStateImage(QPainter* painter, QStyleOptionViewItem& item, const QModelIndex& index) const;
    bool OnCheckBox(const QStyleOptionViewItem& option, const QModelIndex& index, QPoint at) const;
    void Report(QTreeWidgetItem* item, UINT input) const;

    QTreeWidget* m_tree;
    HWND m_hwnd;
};
