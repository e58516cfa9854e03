#pragma once
// Whether the theme library is there, tested once per process; until the
// test has found it no theme function is called.

#include "win/Types.h"

BOOL IsThemeLibraryAvailable();
