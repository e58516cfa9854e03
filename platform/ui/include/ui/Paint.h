#pragma once
// Controls that draw themselves. A subclassed control's receiver gets
// WM_PAINT through OnMessage while the control repaints and draws into the
// context BeginPaint gives; a non-zero answer means it painted the control,
// whose own drawing is then left out. WM_SETFOCUS, WM_KILLFOCUS and
// WM_MOUSELEAVE reach it the same way, and WM_THEMECHANGED when the
// application's style or palette changes (the desktop's theme here), so
// that it opens its theme again and repaints.
//
//     LRESULT OnMessage(UINT message, WPARAM, LPARAM) override {
//         if (message != WM_PAINT) return 0;
//         PAINTSTRUCT paint;
//         HDC dc = BeginPaint(m_hWnd, &paint);
//         ... DrawThemeBackground(theme, dc, ...) ...
//         EndPaint(m_hWnd, &paint);
//         return 1;
//     }

#include "ui/Gdi.h"
#include "ui/Icon.h"

inline constexpr UINT WM_SETFOCUS = 0x0007;
inline constexpr UINT WM_KILLFOCUS = 0x0008;
inline constexpr UINT WM_PAINT = 0x000F;
inline constexpr UINT WM_NCPAINT = 0x0085;
inline constexpr UINT WM_MOUSELEAVE = 0x02A3;
inline constexpr UINT WM_THEMECHANGED = 0x031A;

// A button's state: its check (BST_CHECKED ...) with these bits.
inline constexpr UINT BM_GETSTATE = 0x00F2;
inline constexpr UINT BST_PUSHED = 0x0004;
inline constexpr UINT BST_FOCUS = 0x0008;

struct PAINTSTRUCT {
    HDC hdc = nullptr;
    BOOL fErase = FALSE;
    RECT rcPaint{};
};

// Null outside the window's WM_PAINT.
HDC BeginPaint(HWND hwnd, PAINTSTRUCT* paint);
BOOL EndPaint(HWND hwnd, const PAINTSTRUCT* paint);

inline constexpr UINT DT_LEFT = 0x0000;
inline constexpr UINT DT_CENTER = 0x0001;
inline constexpr UINT DT_VCENTER = 0x0004;
inline constexpr UINT DT_WORDBREAK = 0x0010;
inline constexpr UINT DT_SINGLELINE = 0x0020;

// The text in the context's font and text colour; a length of -1 takes the
// whole text. The height of the text drawn.
int DrawText(HDC dc, LPCSTR text, int length, LPRECT rect, UINT format);
BOOL DrawIcon(HDC dc, int x, int y, HICON icon);
BOOL DrawFocusRect(HDC dc, LPCRECT rect);

inline constexpr DWORD TME_LEAVE = 0x0002;
struct TRACKMOUSEEVENT {
    DWORD cbSize = sizeof(TRACKMOUSEEVENT);
    DWORD dwFlags = 0;
    HWND hwndTrack = nullptr;
    DWORD dwHoverTime = 0;
};
// Every window here learns when the mouse leaves it; asking only checks
// the request.
BOOL TrackMouseEvent(TRACKMOUSEEVENT* track);
