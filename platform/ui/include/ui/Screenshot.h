#pragma once
// A window's picture as it would show on the screen, written as a PNG file.

#include "win/Types.h"

BOOL SaveWindowPicture(HWND hwnd, LPCSTR pngPath);
// The pixels of the window's picture that differ from its background
// colour: more than a few where an icon or bitmap is drawn, none where
// nothing is.
int CountDrawnPixels(HWND hwnd);
// The pixels of the window's picture in strong colour, which text, frames
// and the window's face lack: the coloured icons a list or tree draws.
int CountColouredPixels(HWND hwnd);
