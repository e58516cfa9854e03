#pragma once
// The drop-down list of column types over a type cell of the fields grid.
// A new selection is posted to the grid (WM_WE_TYPECHANGED, the type in
// lParam), so that the grid rewrites the row's size cell.

#include "ui/ComboBox.h"
#include "wizardui/WEFieldTypes.h"

inline constexpr UINT WM_WE_TYPECHANGED = 0x0402; // WM_USER + 2

class CWECellComboBox : public CComboBox {
public:
    // Makes the hidden list as a child of the grid with the four types.
    BOOL Create(HWND grid, int id);
    // Selects the type and remembers it for Escape.
    void Begin(int type);
    int SelectedType() const;
    LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    BOOL OnChildCommand(UINT code) override;

private:
    void SelectType(int type);
    int m_nStart = 0;
};
