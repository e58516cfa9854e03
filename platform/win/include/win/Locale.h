#pragma once
// Locale settings. One user locale (US English) serves every thread; its
// values can be changed with SetLocaleInfo, as a user would change them.

#include "win/Types.h"

using LCTYPE = DWORD;

inline constexpr LCID LOCALE_USER_DEFAULT = 0x0400;
inline constexpr LCID LOCALE_SYSTEM_DEFAULT = 0x0800;
inline constexpr LANGID LANG_USER_DEFAULT = 0x0400;

inline constexpr LCTYPE LOCALE_SLIST = 0x0000000C;
inline constexpr LCTYPE LOCALE_SDECIMAL = 0x0000000E;
inline constexpr LCTYPE LOCALE_STHOUSAND = 0x0000000F;
inline constexpr LCTYPE LOCALE_SSHORTDATE = 0x0000001F;

LCID GetUserDefaultLCID();
LCID GetThreadLocale();
// Accepted and remembered per thread; texts do not depend on it.
BOOL SetThreadLocale(LCID locale);

// Returns the characters written with the NUL, or with size 0 the size
// needed; ERROR_INSUFFICIENT_BUFFER when the buffer is too small and
// ERROR_INVALID_FLAGS for a value the locale does not keep.
int GetLocaleInfo(LCID locale, LCTYPE type, LPSTR data, int size);
BOOL SetLocaleInfo(LCID locale, LCTYPE type, LPCSTR data);

// Orders two ANSI texts as the user's locale orders words (LC_COLLATE),
// without regard to case: negative, zero or positive. "apple" comes before
// "Zulu", as a sorted list view shows them.
int lstrcmpi(LPCSTR a, LPCSTR b);
