#pragma once
// A control's text as a number.
//
//     BOOL ok = FALSE;
//     UINT days = GetDlgItemInt(dialog, IDC_DAYS, &ok, FALSE);
//     if (!ok) ... // empty, not a number, or too big for 32 bits

#include "win/Types.h"

// Blanks around the number are allowed; with `isSigned` a leading "-" too.
// Anything else, no digits at all, or a value that does not fit (UINT, or
// INT when signed) answers 0 with `translated` FALSE.
UINT GetDlgItemInt(HWND dialog, int id, BOOL* translated, BOOL isSigned);
BOOL SetDlgItemInt(HWND dialog, int id, UINT value, BOOL isSigned);
