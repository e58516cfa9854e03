#pragma once

#include "win/Types.h"

#include <string>

// A text of the program's string table; "" for an id it lacks.
std::string PlandrelString(UINT id);
