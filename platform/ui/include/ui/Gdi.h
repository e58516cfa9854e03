#pragma once
// Drawing: device contexts with clip regions and text colours, regions,
// fonts, brushes and system colours. A window's device context paints onto
// the window while it repaints and is a measuring context otherwise.

#include "ui/Messages.h"
#include "ui/Types.h"

HDC GetDC(HWND hwnd);
int ReleaseDC(HWND hwnd, HDC dc);

COLORREF SetTextColor(HDC dc, COLORREF color);
COLORREF GetTextColor(HDC dc);
COLORREF SetBkColor(HDC dc, COLORREF color);
COLORREF GetBkColor(HDC dc);
int SetBkMode(HDC dc, int mode);
int GetBkMode(HDC dc);
HFONT SelectObject(HDC dc, HFONT font);
BOOL GetTextExtentPoint32(HDC dc, LPCSTR text, int length, LPSIZE size);
int FillRect(HDC dc, LPCRECT rect, HBRUSH brush);

// Logical and device units are the same on every context of this layer.
BOOL LPtoDP(HDC dc, LPPOINT points, int count);
BOOL DPtoLP(HDC dc, LPPOINT points, int count);

// Clipping. Without a clip region the whole surface counts as the clip.
int ExtSelectClipRgn(HDC dc, HRGN region, int mode);
// Copies the clip region into `region`: 1 when the context has one, 0 when
// it has none, -1 on error.
int GetClipRgn(HDC dc, HRGN region);

HRGN CreateRectRgn(int left, int top, int right, int bottom);
int CombineRgn(HRGN destination, HRGN source1, HRGN source2, int mode);
int OffsetRgn(HRGN region, int dx, int dy);
int GetRgnBox(HRGN region, LPRECT rect);
BOOL PtInRegion(HRGN region, int x, int y);
BOOL EqualRgn(HRGN a, HRGN b);
BOOL DeleteObject(HRGN region);

HFONT CreateFontIndirect(const LOGFONT* font);
int GetObject(HFONT font, int size, LOGFONT* out);
BOOL DeleteObject(HFONT font);
// The font a window draws its text with (WM_GETFONT / WM_SETFONT). The
// window does not own it.
HFONT GetWindowFont(HWND hwnd);
void SetWindowFont(HWND hwnd, HFONT font, BOOL redraw);

HBRUSH CreateSolidBrush(COLORREF color);
BOOL DeleteObject(HBRUSH brush);
HBRUSH GetStockBrush(int object);
COLORREF GetSysColor(int index);
HBRUSH GetSysColorBrush(int index);
