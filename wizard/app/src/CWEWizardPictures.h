#pragma once
// The pictures of the wizard's sheet: the header bitmap of interior pages,
// the watermark beside the welcome and finish pages, and the sheet's icon.
// Painted once into the program's module as its image resources, loaded
// for one sheet and freed with it.

#include "ui/Bitmap.h"

class CWEWizardPictures {
public:
    // Registers the pictures the first time and loads them.
    CWEWizardPictures();
    ~CWEWizardPictures();

    HBITMAP m_hbmHeader = nullptr;
    HBITMAP m_hbmWatermark = nullptr;
    HICON m_hIcon = nullptr;

    // The handles are freed once.
    CWEWizardPictures(const CWEWizardPictures&) = delete;
    CWEWizardPictures& operator=(const CWEWizardPictures&) = delete;
};
