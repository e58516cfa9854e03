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

QRect CurrentCellRect(GridWidget* grid)
{
    return grid ? grid->CellRect(grid->CurrentRow(), grid->CurrentCol()) : QRect();
}

} // namespace

long CFlexGrid::GetRows() const
{
    GridWidget* grid = GridOf(m_hWnd);
    return grid ? grid->Rows() : 0;
}

void CFlexGrid::SetRows(long rows)
{
    if (GridWidget* grid = GridOf(m_hWnd))
        grid->SetRows(static_cast<int>(rows));
}

long CFlexGrid::GetCols() const
{
    GridWidget* grid = GridOf(m_hWnd);
    return grid ? grid->columnCount() : 0;
}

void CFlexGrid::SetCols(long cols)
{
    if (GridWidget* grid = GridOf(m_hWnd))
        grid->SetCols(static_cast<int>(cols));
}

long CFlexGrid::GetRow() const
{
    GridWidget* grid = GridOf(m_hWnd);
    return grid ? grid->CurrentRow() : 0;
}

void CFlexGrid::SetRow(long row)
{
    if (GridWidget* grid = GridOf(m_hWnd))
        grid->MoveTo(static_cast<int>(row), grid->CurrentCol());
}

long CFlexGrid::GetCol() const
{
    GridWidget* grid = GridOf(m_hWnd);
    return grid ? grid->CurrentCol() : 0;
}

void CFlexGrid::SetCol(long col)
{
    if (GridWidget* grid = GridOf(m_hWnd))
        grid->MoveTo(grid->CurrentRow(), static_cast<int>(col));
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
    GridWidget* grid = GridOf(m_hWnd);
    return grid ? ToTwips(grid->PixelRowHeight(static_cast<int>(row)), LOGPIXELSY) : 0;
}

void CFlexGrid::SetRowHeight(long row, long twips)
{
    if (GridWidget* grid = GridOf(m_hWnd))
        grid->SetPixelRowHeight(static_cast<int>(row), ToPixels(twips, LOGPIXELSY));
}

long CFlexGrid::GetColWidth(long col) const
{
    GridWidget* grid = GridOf(m_hWnd);
    return grid ? ToTwips(grid->columnWidth(static_cast<int>(col)), LOGPIXELSX) : 0;
}

void CFlexGrid::SetColWidth(long col, long twips)
{
    if (GridWidget* grid = GridOf(m_hWnd))
        grid->setColumnWidth(static_cast<int>(col), ToPixels(twips, LOGPIXELSX));
}
