#pragma once
// A grid of text cells in the manner of the flexible grid control: row 0 is
// the fixed header row, rows 1 to Rows - 1 hold the data. A current cell
// (Row, Col) that code and user move; cell positions and sizes in twips
// relative to the control. Attach it to a dialog's "MSFlexGridWndClass"
// control with SubclassWindow; its events arrive as the virtual handlers.
//
//     class CFieldGrid : public CFlexGrid {
//         void OnEnterCell() override { BeginEdit(GetRow(), GetCol()); }
//     };
//     grid.SubclassDlgItem(1014, &page);
//     grid.SetRows(2);
//     grid.SetTextMatrix(0, 0, "Field");
//
// Moving the current cell, by code or by the user, fires LeaveCell for the
// old cell and EnterCell for the new one; putting the cell it already is on
// fires nothing. While the grid itself has the focus, Tab, Enter, Up and
// Down go to OnMessage as WM_KEYDOWN first; a non-zero answer keeps the key
// from the grid's own navigation.

#include "ui/Wnd.h"

#include <string>

inline constexpr char WC_FLEXGRID[] = "MSFlexGridWndClass";

class CFlexGrid : public CWnd {
public:
    long GetRows() const;
    // At least 2 (the header and one row); cells beyond the new count go.
    void SetRows(long rows);
    long GetCols() const;
    void SetCols(long cols);

    long GetRow() const;
    void SetRow(long row);
    long GetCol() const;
    void SetCol(long col);

    // The current cell's text.
    std::string GetText() const;
    void SetText(LPCSTR text);
    std::string GetTextMatrix(long row, long col) const;
    void SetTextMatrix(long row, long col, LPCSTR text);

    // The current cell, in twips from the control's top-left corner.
    long GetCellLeft() const;
    long GetCellTop() const;
    long GetCellWidth() const;
    long GetCellHeight() const;
    long GetRowHeight(long row) const;
    void SetRowHeight(long row, long twips);
    long GetColWidth(long col) const;
    void SetColWidth(long col, long twips);

    virtual void OnEnterCell() {}
    virtual void OnLeaveCell() {}
    // A mouse click on a cell, after the current cell has moved there.
    virtual void OnClick() {}
    // The visible part of the grid has moved.
    virtual void OnScroll() {}
};
