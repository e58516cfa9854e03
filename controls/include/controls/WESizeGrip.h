#pragma once
// The triangular grip in a window's lower right corner with which the user
// resizes the window.

#include "ui/Window.h"

class CWESizeGrip {
public:
    CWESizeGrip();
    virtual ~CWESizeGrip() = default;

    // Makes the grip as a child of `parent`, shown, in the parent's top
    // left corner until PlaceSizeGrip moves it.
    BOOL CreateSizeGrip(HWND parent);
    // Into the lower right corner, above the other children, enabled unless
    // the parent is maximized.
    void PlaceSizeGrip(HWND parent);
    void ShowSizeGrip(BOOL show);
    HWND GetSizeGrip() const { return m_hGrip; }

protected:
    HWND m_hGrip = nullptr;
    SIZE m_sizeGrip;
};
