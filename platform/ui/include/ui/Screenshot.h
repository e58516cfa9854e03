#pragma once
// A window's picture as it would show on the screen, written as a PNG file.

#include "win/Types.h"

BOOL SaveWindowPicture(HWND hwnd, LPCSTR pngPath);
