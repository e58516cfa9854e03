#pragma once
// The big bold title of the welcome and finish pages: 12 points on the
// screen's resolution, "Verdana Bold", weight 700. The object owns the font.

#include "ui/Gdi.h"

class CWETitleFont {
public:
    CWETitleFont() = default;
    CWETitleFont(const CWETitleFont&) = delete;
    CWETitleFont& operator=(const CWETitleFont&) = delete;
    ~CWETitleFont();

    void ApplyTo(HWND control);

private:
    HFONT m_hFont = nullptr;
};
