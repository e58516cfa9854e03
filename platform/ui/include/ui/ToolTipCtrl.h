#pragma once
// Tooltips for the tools (controls) of one window. The tips show on their
// own when the mouse rests on a tool.

#include "ui/Types.h"

#include <string>
#include <vector>

class CToolTipCtrl {
public:
    BOOL Create(HWND parent);
    BOOL AddTool(HWND tool, LPCSTR text, LPCRECT rect, UINT_PTR id);
    void UpdateTipText(LPCSTR text, HWND tool, UINT_PTR id);
    int GetToolCount() const { return static_cast<int>(m_tools.size()); }
    // The tip of a tool, or an empty text for an unknown tool.
    std::string GetText(HWND tool, UINT_PTR id) const;
    HWND GetParentWindow() const { return m_hParent; }
    // An inactive control shows no tips until activated again.
    void Activate(BOOL active);
    BOOL IsActive() const { return m_bActive; }
    // Longer tips wrap at this many pixels; -1 never wraps.
    int SetMaxTipWidth(int width);
    int GetMaxTipWidth() const { return m_nMaxWidth; }

private:
    struct Tool {
        HWND window;
        UINT_PTR id;
        std::string text;
    };
    void Show(const Tool& tool) const;

    HWND m_hParent = nullptr;
    std::vector<Tool> m_tools;
    BOOL m_bActive = TRUE;
    int m_nMaxWidth = -1;
};
