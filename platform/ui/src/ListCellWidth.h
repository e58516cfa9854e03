#pragma once
// The width a list view's cell takes as the view draws it: its text in the
// view's font, its icon and the delegate's margins.

class QTreeWidget;

int ListCellWidth(QTreeWidget* view, int row, int column);
