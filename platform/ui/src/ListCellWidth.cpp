#include "ListCellWidth.h"

#include <QAbstractItemDelegate>
#include <QStyleOptionViewItem>
#include <QTreeWidget>

int ListCellWidth(QTreeWidget* view, int row, int column)
{
    QModelIndex index = view->model()->index(row, column);
    QStyleOptionViewItem option;
    option.initFrom(view);
    option.font = view->font();
    option.decorationSize = view->iconSize().isValid() ? view->iconSize() : QSize(16, 16);
    option.features = QStyleOptionViewItem::HasDisplay;
    if (!index.data(Qt::DecorationRole).isNull())
        option.features |= QStyleOptionViewItem::HasDecoration;
    int indent = column == 0 && view->rootIsDecorated() ? view->indentation() : 0;
    return view->itemDelegateForIndex(index)->sizeHint(option, index).width() + indent;
}
