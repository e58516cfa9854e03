#pragma once
// The keyboard focus among a thread's windows.

#include "ui/Types.h"

// Answers the window that had the focus before, or null.
HWND SetFocus(HWND hwnd);
// The window with the focus, or null when none of ours has it.
HWND GetFocus();
