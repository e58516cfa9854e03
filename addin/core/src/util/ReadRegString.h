#pragma once
// A text value of an open registry key.

#include "win/Registry.h"

#include <string>

// ERROR_SUCCESS with the text (no environment expansion) for REG_SZ and
// REG_EXPAND_SZ; ERROR_INVALID_DATA for other types; the query's error when
// the value cannot be read. An empty value leaves `text` as it was.
LONG ReadRegString(HKEY key, const char* name, std::string& text);
