#pragma once
// Visual styles over Qt's: a window draws with the application's Qt style
// (themed) unless SetWindowTheme switched it to the classic style. A theme
// handle stands for the style a window draws with; the theme "library" is
// there whenever a Qt application with a style can be made.
//
//     HTHEME theme = OpenThemeData(page, L"TAB");
//     if (theme) DrawThemeBackground(theme, dc, TABP_BODY, 0, &client, nullptr);
//     CloseThemeData(theme);
//     SetWindowTheme(button, L" ", L" ");   // this control draws classic

#include "ui/Types.h"
#include "win/Errors.h"

struct HTHEME__;
using HTHEME = HTHEME__*;

inline constexpr int BP_PUSHBUTTON = 1;
inline constexpr int BP_CHECKBOX = 3;
// Push button states.
inline constexpr int PBS_NORMAL = 1;
inline constexpr int PBS_HOT = 2;
inline constexpr int PBS_PRESSED = 3;
inline constexpr int PBS_DISABLED = 4;
inline constexpr int PBS_DEFAULTED = 5;
// Check box states: unchecked 1 to 4, checked 5 to 8 (normal, hot, pressed,
// disabled).
inline constexpr int CBS_UNCHECKEDNORMAL = 1;
inline constexpr int CBS_CHECKEDNORMAL = 5;
inline constexpr int TS_TRUE = 1;
inline constexpr int TMT_BORDERSIZE = 2403;
inline constexpr int TABP_BODY = 10;
inline constexpr DWORD ETDT_ENABLETAB = 6;

// True when windows can draw themed here.
BOOL IsThemeLibraryPresent();
// Null when the window does not exist or draws classic.
HTHEME OpenThemeData(HWND hwnd, LPCOLESTR classList);
HRESULT CloseThemeData(HTHEME theme);
// The part in the window's style: a push button's face, a check box's box,
// a tab page's body.
HRESULT DrawThemeBackground(HTHEME theme, HDC dc, int part, int state, LPCRECT rect, LPCRECT clip);
// The parent's background under the control: the parent paints its face
// (WM_ERASEBKGND) into the control's rectangle.
HRESULT DrawThemeParentBackground(HWND hwnd, HDC dc, LPCRECT rect);
// Text in the part's colour for the state (disabled states greyed); the
// flags are DrawText's.
HRESULT DrawThemeText(HTHEME theme, HDC dc, int part, int state, LPCOLESTR text, int length, DWORD flags,
                      DWORD flags2, LPCRECT rect);
// The size the style draws the part at (a check box's box).
HRESULT GetThemePartSize(HTHEME theme, HDC dc, int part, int state, LPCRECT rect, int kind, SIZE* size);
// A metric of the part; E_NOTIMPL for one the style does not have.
HRESULT GetThemeInt(HTHEME theme, int part, int state, int property, int* value);
HRESULT EnableThemeDialogTexture(HWND hwnd, DWORD flags);
// A blank application name and id list (L" ") switch the window and its
// children to the classic style; null for both goes back to the themed one.
HRESULT SetWindowTheme(HWND hwnd, LPCOLESTR appName, LPCOLESTR idList);
// Whether the window draws classic.
BOOL IsWindowClassic(HWND hwnd);
