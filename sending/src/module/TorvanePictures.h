#pragma once
// The component's icons, drawn for it and compiled into the module from
// sending/pictures; loaded by id as a resource script names them. Each icon
// is the caller's (DestroyIcon); null for an unknown id.

#include "ui/Bitmap.h"

inline constexpr UINT IDI_ROLLBACK = 5;
inline constexpr UINT IDI_REPORT_INFO = 2006;
inline constexpr UINT IDI_REPORT_ERROR = 2007;
inline constexpr UINT IDI_REPORT_SENT = 2008;

HICON LoadTorvaneIcon(UINT id);
