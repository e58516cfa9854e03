#pragma once
// Limits of an edit control.

#include "win/Types.h"

// The most characters the user can type; 0 lifts the limit.
BOOL Edit_LimitText(HWND edit, int limit);
