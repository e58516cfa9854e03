#pragma once
// The Wizard97 dressing around a page: the white header band across the
// top of the sheet with the page's title, subtitle and the header bitmap,
// or, for a page without a header, the watermark down its left side.

#include "ui/Bitmap.h"

#include <string>

struct WizardLook {
    bool headerShown = false;
    std::string title;    // ANSI
    std::string subtitle; // ANSI
    HBITMAP header = nullptr;
    HBITMAP watermark = nullptr;
    int headerHeight = 0; // pixels
    int areaHeight = 0;   // pixels from the sheet's top down to its buttons
};

// Places the page below the band, or over the whole page area when the band
// is hidden, and shows the band or the watermark for it.
void DressWizardPage(HWND sheet, HWND page, const WizardLook& look);
