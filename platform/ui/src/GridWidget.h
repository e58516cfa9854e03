#pragma once
// The grid control's widget: a table whose horizontal header is the fixed
// row 0, with a current cell of its own that may sit on that row too.

#include "ui/Types.h"

#include <QTableWidget>

class CFlexGrid;

class GridWidget : public QTableWidget {
public:
    GridWidget(HWND hwnd, QWidget* parent);

    int Rows() const { return rowCount() + 1; }
    void SetRows(int rows);
    void SetCols(int cols);
    int CurrentRow() const { return m_row; }
    int CurrentCol() const { return m_col; }
    // Fires LeaveCell and EnterCell when the cell changes.
    void MoveTo(int row, int col);
    QString CellText(int row, int col) const;
    void SetCellText(int row, int col, const QString& text);
    // In pixels, relative to the widget.
    QRect CellRect(int row, int col) const;
    int PixelRowHeight(int row) const;
    void SetPixelRowHeight(int row, int pixels);

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void scrollContentsBy(int dx, int dy) override;

private:
    CFlexGrid* Receiver() const;
    QTableWidgetItem* ItemAt(int row, int col);
    void FollowUser(int tableRow, int col);

    HWND m_hWnd;
    int m_row = 1;
    int m_col = 0;
    bool m_moving = false;
};

QWidget* CreateGridWidget(HWND hwnd, QWidget* parent);
