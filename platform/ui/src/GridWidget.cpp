#include "Dispatch.h"
#include "GridWidget.h"
#include "ui/FlexGrid.h"

#include <QHeaderView>
#include <QMouseEvent>

GridWidget::GridWidget(HWND hwnd, QWidget* parent) : QTableWidget(parent), m_hWnd(hwnd)
{
    verticalHeader()->hide();
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setTabKeyNavigation(false);
    horizontalHeader()->setSectionsClickable(false);
    horizontalHeader()->setHighlightSections(false);
    SetCols(2);
    SetRows(2);
    m_moving = true;
    setCurrentCell(0, 0);
    m_moving = false;
    QObject::connect(this, &QTableWidget::currentCellChanged,
                     [this](int row, int col, int, int) { FollowUser(row, col); });
}

CFlexGrid* GridWidget::Receiver() const
{
    WindowRecord* record = FindRecord(m_hWnd);
    return record ? dynamic_cast<CFlexGrid*>(record->handler) : nullptr;
}

void GridWidget::SetRows(int rows)
{
    setRowCount(std::max(rows, 2) - 1);
    if (m_row >= Rows())
        MoveTo(Rows() - 1, m_col);
}

void GridWidget::SetCols(int cols)
{
    int old = columnCount();
    setColumnCount(std::max(cols, 1));
    for (int col = old; col < columnCount(); ++col)
        setHorizontalHeaderItem(col, new QTableWidgetItem);
    if (m_col >= columnCount())
        MoveTo(m_row, columnCount() - 1);
}

void GridWidget::MoveTo(int row, int col)
{
    if (row < 0 || row >= Rows() || col < 0 || col >= columnCount() || (row == m_row && col == m_col))
        return;
    CFlexGrid* receiver = Receiver();
    if (receiver)
        receiver->OnLeaveCell();
    m_row = row;
    m_col = col;
    m_moving = true;
    if (row > 0)
        setCurrentCell(row - 1, col);
    else
        setCurrentItem(nullptr);
    m_moving = false;
    // The receiver may have gone with its window during LeaveCell.
    if ((receiver = Receiver()))
        receiver->OnEnterCell();
}

void GridWidget::FollowUser(int tableRow, int col)
{
    if (!m_moving && tableRow >= 0 && col >= 0)
        MoveTo(tableRow + 1, col);
}

QTableWidgetItem* GridWidget::ItemAt(int row, int col)
{
    if (row == 0)
        return horizontalHeaderItem(col);
    QTableWidgetItem* cell = item(row - 1, col);
    if (!cell && row - 1 < rowCount() && col < columnCount()) {
        cell = new QTableWidgetItem;
        setItem(row - 1, col, cell);
    }
    return cell;
}

QString GridWidget::CellText(int row, int col) const
{
    const QTableWidgetItem* cell = row == 0 ? horizontalHeaderItem(col) : item(row - 1, col);
    return cell ? cell->text() : QString();
}

void GridWidget::SetCellText(int row, int col, const QString& text)
{
    if (QTableWidgetItem* cell = ItemAt(row, col))
        cell->setText(text);
}

QRect GridWidget::CellRect(int row, int col) const
{
    if (row == 0) {
        QHeaderView* header = horizontalHeader();
        QPoint origin = header->mapTo(this, QPoint(header->sectionViewportPosition(col), 0));
        return QRect(origin, QSize(header->sectionSize(col), header->height()));
    }
    QRect rect = visualRect(model()->index(row - 1, col));
    return QRect(viewport()->mapTo(this, rect.topLeft()), rect.size());
}

int GridWidget::PixelRowHeight(int row) const
{
    return row == 0 ? horizontalHeader()->height() : rowHeight(row - 1);
}

void GridWidget::SetPixelRowHeight(int row, int pixels)
{
    if (row == 0)
        horizontalHeader()->setFixedHeight(pixels);
    else
        setRowHeight(row - 1, pixels);
}

void GridWidget::mousePressEvent(QMouseEvent* event)
{
    QTableWidget::mousePressEvent(event);
    QModelIndex index = indexAt(event->position().toPoint());
    if (!index.isValid())
        return;
    MoveTo(index.row() + 1, index.column());
    if (CFlexGrid* receiver = Receiver())
        receiver->OnClick();
}

void GridWidget::scrollContentsBy(int dx, int dy)
{
    QTableWidget::scrollContentsBy(dx, dy);
    if (CFlexGrid* receiver = Receiver())
        receiver->OnScroll();
}

QWidget* CreateGridWidget(HWND hwnd, QWidget* parent) { return new GridWidget(hwnd, parent); }
