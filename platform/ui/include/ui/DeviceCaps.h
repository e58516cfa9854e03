#pragma once
// What a device context tells about its device: the pixels per logical
// inch that twips and points convert by.

#include "ui/Gdi.h"

inline constexpr int LOGPIXELSX = 88;
inline constexpr int LOGPIXELSY = 90;

// The screen's logical dots per inch (96 where there is no screen); 0 for
// an index this layer does not know.
int GetDeviceCaps(HDC dc, int index);
