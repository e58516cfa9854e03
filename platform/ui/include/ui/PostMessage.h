#pragma once
// Messages by number, for the calls that a window's receiver answers in
// OnMessage. A posted message waits in the thread's event queue and reaches
// the receiver after the handler that posted it has returned; a window
// destroyed meanwhile never sees it.

#include "ui/Types.h"

inline constexpr UINT WM_SETICON = 0x0080;
inline constexpr UINT WM_KEYDOWN = 0x0100;
inline constexpr UINT WM_USER = 0x0400;

// Virtual keys that the dialogs and the grid read.
inline constexpr UINT VK_TAB = 0x09;
inline constexpr UINT VK_RETURN = 0x0D;
inline constexpr UINT VK_ESCAPE = 0x1B;
inline constexpr UINT VK_UP = 0x26;
inline constexpr UINT VK_DOWN = 0x28;

// Answers the receiver's answer, or 0 when the window has none.
LRESULT SendMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
// FALSE when the window does not exist.
BOOL PostMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
