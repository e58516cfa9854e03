#pragma once
// Bitmaps and icons of a module's resources. A module registers the bytes
// of an image file (BMP, PNG, ICO) under its own module handle and id, the
// way a resource script names its pictures; LoadBitmap and LoadIcon decode
// them into handles that the caller frees.

#include "ui/Icon.h"
#include "ui/Types.h"

#include <string>

struct HBITMAP__;
using HBITMAP = HBITMAP__*;

// A later registration of the same id in the same module replaces the
// earlier one.
void RegisterImageResource(HINSTANCE module, UINT id, const std::string& bytes);
// An icon resource: LoadIcon finds it before an image of the same id, as an
// icon and a bitmap of one id are two resources on Windows.
void RegisterIconResource(HINSTANCE module, UINT id, const std::string& bytes);

// Null when the module has no such image or its bytes are not a picture.
// An icon loaded here is the caller's, freed with DestroyIcon.
HBITMAP LoadBitmap(HINSTANCE module, UINT id);
HICON LoadIcon(HINSTANCE module, UINT id);
BOOL DeleteObject(HBITMAP bitmap);

BOOL GetBitmapSize(HBITMAP bitmap, LPSIZE size);
// The icon a top-level window shows in its caption (WM_SETICON); null when
// it has none.
HICON GetWindowIcon(HWND hwnd);
