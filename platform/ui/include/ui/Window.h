#pragma once
// Windows by handle: the calls that the dialogs and controls make on their
// own and their children's windows. A window's rectangle is its client area
// in screen coordinates; the frame around a top-level window belongs to the
// desktop, so AdjustWindowRectEx leaves a rectangle as it is.

#include "ui/Messages.h"
#include "ui/Styles.h"
#include "ui/Types.h"

#include <string>

using LPINT = int*;

// Child controls only; top-level windows are dialogs (CDialog). The menu
// argument of a child window carries its id.
struct HMENU__;
using HMENU = HMENU__*;
HWND CreateWindowEx(DWORD exStyle, LPCSTR className, LPCSTR text, DWORD style, int x, int y, int cx, int cy,
                    HWND parent, HMENU menu, HINSTANCE module, LPVOID param);

BOOL IsWindow(HWND hwnd);
BOOL DestroyWindow(HWND hwnd);
HWND GetParent(HWND hwnd);
HWND GetDlgItem(HWND dialog, int id);
int GetDlgCtrlID(HWND hwnd);
int GetClassName(HWND hwnd, LPSTR buffer, int size);

LONG GetWindowLong(HWND hwnd, int index);
LONG SetWindowLong(HWND hwnd, int index, LONG value);

int GetWindowText(HWND hwnd, LPSTR buffer, int size);
int GetWindowTextLength(HWND hwnd);
BOOL SetWindowText(HWND hwnd, LPCSTR text);
std::string GetWindowTextString(HWND hwnd);
BOOL SetDlgItemText(HWND dialog, int id, LPCSTR text);
UINT GetDlgItemText(HWND dialog, int id, LPSTR buffer, int size);

BOOL EnableWindow(HWND hwnd, BOOL enable);
BOOL IsWindowEnabled(HWND hwnd);
BOOL ShowWindow(HWND hwnd, int command);
BOOL IsWindowVisible(HWND hwnd);
BOOL IsZoomed(HWND hwnd);
BOOL IsIconic(HWND hwnd);

// Check boxes and radio buttons (BST_* states).
inline constexpr UINT BST_UNCHECKED = 0;
inline constexpr UINT BST_CHECKED = 1;
inline constexpr UINT BST_INDETERMINATE = 2;
BOOL CheckDlgButton(HWND dialog, int id, UINT state);
UINT IsDlgButtonChecked(HWND dialog, int id);
BOOL CheckRadioButton(HWND dialog, int first, int last, int check);

BOOL PtInRect(LPCRECT rect, POINT point);
BOOL GetClientRect(HWND hwnd, LPRECT rect);
BOOL GetWindowRect(HWND hwnd, LPRECT rect);
BOOL ScreenToClient(HWND hwnd, LPPOINT point);
BOOL ClientToScreen(HWND hwnd, LPPOINT point);
int MapWindowPoints(HWND from, HWND to, LPPOINT points, UINT count);
BOOL MapDialogRect(HWND dialog, LPRECT rect);
BOOL AdjustWindowRectEx(LPRECT rect, DWORD style, BOOL menu, DWORD exStyle);
int GetSystemMetrics(int index);

BOOL SetWindowPos(HWND hwnd, HWND insertAfter, int x, int y, int cx, int cy, UINT flags);
BOOL MoveWindow(HWND hwnd, int x, int y, int cx, int cy, BOOL repaint);
// A batch of moves that take effect together at EndDeferWindowPos.
HDWP BeginDeferWindowPos(int count);
HDWP DeferWindowPos(HDWP batch, HWND hwnd, HWND insertAfter, int x, int y, int cx, int cy, UINT flags);
BOOL EndDeferWindowPos(HDWP batch);

// The placement's length must be sizeof(WINDOWPLACEMENT); the normal
// position is in screen coordinates.
BOOL GetWindowPlacement(HWND hwnd, WINDOWPLACEMENT* placement);
BOOL SetWindowPlacement(HWND hwnd, const WINDOWPLACEMENT* placement);

// The window takes ownership of the region.
int SetWindowRgn(HWND hwnd, HRGN region, BOOL redraw);
// Copies the window's region into `region`; RGN_ERROR when it has none.
int GetWindowRgn(HWND hwnd, HRGN region);

BOOL SetProp(HWND hwnd, LPCSTR name, HANDLE data);
HANDLE GetProp(HWND hwnd, LPCSTR name);
HANDLE RemoveProp(HWND hwnd, LPCSTR name);

BOOL InvalidateRect(HWND hwnd, LPCRECT rect, BOOL erase);
BOOL RedrawWindow(HWND hwnd, LPCRECT rect, HRGN region, UINT flags);
BOOL UpdateWindow(HWND hwnd);

HWND SetCapture(HWND hwnd);
BOOL ReleaseCapture();
HWND GetCapture();

// Cursors. IDC_* names are the shared system cursors.
using LPCCURSORNAME = const char*;
extern const LPCCURSORNAME IDC_ARROW;
extern const LPCCURSORNAME IDC_HAND;
HCURSOR LoadCursor(HINSTANCE module, LPCCURSORNAME name);
HCURSOR CopyCursor(HCURSOR cursor);
BOOL DestroyCursor(HCURSOR cursor);
// Sets the cursor of the window under the mouse while a cursor query runs.
HCURSOR SetCursor(HCURSOR cursor);

int GetScrollPos(HWND hwnd, int bar);
BOOL GetScrollRange(HWND hwnd, int bar, LPINT minimum, LPINT maximum);
// The highest scroll position: the range's maximum less the page.
int GetScrollLimit(HWND hwnd, int bar);

// A timer sends OnTimer(id) to the window's handler; a new timer with the
// id of a running one replaces it.
UINT_PTR SetTimer(HWND hwnd, UINT_PTR id, UINT elapse, void* unused);
BOOL KillTimer(HWND hwnd, UINT_PTR id);

// Runs the events waiting on this thread, so that windows repaint and
// buttons answer during a long run.
void PumpWaitingMessages();

// The window that has the user's focus, or a window a test has chosen.
HWND GetForegroundWindow();
BOOL SetForegroundWindow(HWND hwnd);
