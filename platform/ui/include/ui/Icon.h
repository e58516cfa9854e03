#pragma once
// Icons: the system's shared ones, and the picture of a static control with
// SS_ICON (STM_SETICON).
//
//     SetStaticIcon(GetDlgItem(dialog, IDC_PICTURE), LoadIcon(nullptr, IDI_WARNING));

#include "win/Types.h"

struct HICON__;
using HICON = HICON__*;

using LPCICONNAME = const char*;
extern const LPCICONNAME IDI_APPLICATION;
extern const LPCICONNAME IDI_ERROR;
extern const LPCICONNAME IDI_WARNING;
extern const LPCICONNAME IDI_INFORMATION;
extern const LPCICONNAME IDI_QUESTION;

// A shared system icon (module null), or null for an unknown name.
HICON LoadIcon(HINSTANCE module, LPCICONNAME name);
// An icon of its own from a picture file's bytes (PNG, ICO, BMP ...), or null.
HICON CreateIconFromImageData(const BYTE* data, UINT size);
// Shared icons are left alone.
BOOL DestroyIcon(HICON icon);
// The picture the icon shows at the size asked, for tests: its width, or 0
// when it has none.
int GetIconWidth(HICON icon, int size);

// Sets the icon a static control shows; the previous one, which the caller
// still owns. The control does not own the icon.
HICON SetStaticIcon(HWND control, HICON icon);
HICON GetStaticIcon(HWND control);
