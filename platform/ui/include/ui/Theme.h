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
inline constexpr int TABP_BODY = 10;
inline constexpr DWORD ETDT_ENABLETAB = 6;

// True when windows can draw themed here.
BOOL IsThemeLibraryPresent();
// Null when the window does not exist or draws classic.
HTHEME OpenThemeData(HWND hwnd, LPCOLESTR classList);
HRESULT CloseThemeData(HTHEME theme);
// Fills the rectangle with the part's background in the theme's colours.
HRESULT DrawThemeBackground(HTHEME theme, HDC dc, int part, int state, LPCRECT rect, LPCRECT clip);
HRESULT EnableThemeDialogTexture(HWND hwnd, DWORD flags);
// A blank application name and id list (L" ") switch the window and its
// children to the classic style; null for both goes back to the themed one.
HRESULT SetWindowTheme(HWND hwnd, LPCOLESTR appName, LPCOLESTR idList);
// Whether the window draws classic.
BOOL IsWindowClassic(HWND hwnd);
