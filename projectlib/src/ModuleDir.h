#pragma once

#include "win/Types.h"

#include <string>

// The library file that holds this code.
HMODULE GastrelModuleHandle();
std::string GastrelModulePath();
// Its folder, without a trailing separator.
std::string GastrelModuleDir();
