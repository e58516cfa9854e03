#pragma once
// The edit that floats over a name or size cell of the fields grid. Escape
// brings back the text it had when editing began; Enter, Tab, Up and Down
// hand the focus and the key back to the grid.

#include "ui/Wnd.h"

#include <string>

class CWECellEdit : public CWnd {
public:
    // Makes the hidden edit as a child of the grid.
    BOOL Create(HWND grid, int id, bool number);
    // Shows the text and remembers it for Escape.
    void Begin(const std::string& text);
    LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    std::string m_strStart;
};
