#pragma once
// A window's placement in the application's profile: the value
// "WindowPlacement" of a section, as "left,top,right,bottom,show,flags".

#include "ui/Window.h"

class CWEPlacementStore {
public:
    virtual ~CWEPlacementStore() = default;

    // With `rectOnly` the window's present rectangle is stored as a normal
    // window's, so that a later restore ignores how it was shown.
    BOOL SavePlacement(HWND hwnd, LPCSTR section, BOOL rectOnly);
    // Puts the window where the stored placement says; with `rectOnly` only
    // its rectangle. A missing or damaged value changes nothing and answers
    // FALSE; a minimized placement comes back as a normal window.
    BOOL LoadPlacement(HWND hwnd, LPCSTR section, BOOL rectOnly);
};
