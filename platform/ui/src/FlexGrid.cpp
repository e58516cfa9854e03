#include "Convert.h"
#include "Dispatch.h"
#include "GridWidget.h"
#include "ui/DeviceCaps.h"
#include "ui/FlexGrid.h"

namespace {

constexpr long kTwipsPerInch = 1440;

GridWidget* GridOf(HWND hwnd)
{
    WindowRecord* record = FindRecord(hwnd);
    return record ? dynamic_cast<GridWidget*>(record->widget.data()) : nullptr;
}

long ToTwips(int pixels, int axis) { return pixels * kTwipsPerInch / GetDeviceCaps(nullptr, axis); }
int ToPixels(long twips, int axis) { return static_cast<int>(twips * GetDeviceCaps(nullptr, axis) / kTwipsPerInch); }

// A property read from the grid; 0 when the window is gone.
template <typename Read>
long Query(HWND hwnd, Read read)
{
    GridWidget* grid = GridOf(hwnd);
    return grid ? static_cast<long>(read(*grid)) : 0;
}

template <typename Change>
void Apply(HWND hwnd, Change change)
{
    if (GridWidget* grid = GridOf(hwnd))
        change(*grid);
}

QRect CurrentCellRect(GridWidget* grid)
{
    return grid ? grid->CellRect(grid->CurrentRow(), grid->CurrentCol()) : QRect();
}

} // namespace

long CFlexGrid::GetRows() const
{
    return Query(m_hWnd, [](GridWidget& grid) { return grid.Rows(); });
}

void CFlexGrid::SetRows(long rows)
{
    Apply(m_hWnd, [=](GridWidget& grid) { grid.SetRows(static_cast<int>(rows)); });
}

long CFlexGrid::GetCols() const
{
    return Query(m_hWnd, [](GridWidget& grid) { return grid.columnCount(); });
}

void CFlexGrid::SetCols(long cols)
{
    Apply(m_hWnd, [=](GridWidget& grid) { grid.SetCols(static_cast<int>(cols)); });
}

long CFlexGrid::GetRow() const
{
    return Query(m_hWnd, [](GridWidget& grid) { return grid.CurrentRow(); });
}

void CFlexGrid::SetRow(long row)
{
    Apply(m_hWnd, [=](GridWidget& grid) { grid.MoveTo(static_cast<int>(row), grid.CurrentCol()); });
}

long CFlexGrid::GetCol() const
{
    return Query(m_hWnd, [](GridWidget& grid) { return grid.CurrentCol(); });
}

void CFlexGrid::SetCol(long col)
{
    Apply(m_hWnd, [=](GridWidget& grid) { grid.MoveTo(grid.CurrentRow(), static_cast<int>(col)); });
}

std::string CFlexGrid::GetText() const { return GetTextMatrix(GetRow(), GetCol()); }

void CFlexGrid::SetText(LPCSTR text) { SetTextMatrix(GetRow(), GetCol(), text); }

std::string CFlexGrid::GetTextMatrix(long row, long col) const
{
    GridWidget* grid = GridOf(m_hWnd);
    return grid ? FromQString(grid->CellText(static_cast<int>(row), static_cast<int>(col))) : std::string();
}

void CFlexGrid::SetTextMatrix(long row, long col, LPCSTR text)
{
    if (GridWidget* grid = GridOf(m_hWnd))
        grid->SetCellText(static_cast<int>(row), static_cast<int>(col), ToQString(text));
}

long CFlexGrid::GetCellLeft() const { return ToTwips(CurrentCellRect(GridOf(m_hWnd)).x(), LOGPIXELSX); }
long CFlexGrid::GetCellTop() const { return ToTwips(CurrentCellRect(GridOf(m_hWnd)).y(), LOGPIXELSY); }
long CFlexGrid::GetCellWidth() const { return ToTwips(CurrentCellRect(GridOf(m_hWnd)).width(), LOGPIXELSX); }
long CFlexGrid::GetCellHeight() const { return ToTwips(CurrentCellRect(GridOf(m_hWnd)).height(), LOGPIXELSY); }

long CFlexGrid::GetRowHeight(long row) const
{
    return Query(m_hWnd, [row](GridWidget& grid) { return ToTwips(grid.PixelRowHeight(static_cast<int>(row)), LOGPIXELSY); });
}

void CFlexGrid::SetRowHeight(long row, long twips)
{
    Apply(m_hWnd, [=](GridWidget& grid) { grid.SetPixelRowHeight(static_cast<int>(row), ToPixels(twips, LOGPIXELSY)); });
}

long CFlexGrid::GetColWidth(long col) const
{
    return Query(m_hWnd, [col](GridWidget& grid) { return ToTwips(grid.columnWidth(static_cast<int>(col)), LOGPIXELSX); });
}

void CFlexGrid::SetColWidth(long col, long twips)
{
    Apply(m_hWnd, [=](GridWidget& grid) { grid.setColumnWidth(static_cast<int>(col), ToPixels(twips, LOGPIXELSX)); });
}
