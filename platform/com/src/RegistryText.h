#pragma once
// Reading the string values that class registration keeps in the registry.

#include "win/Registry.h"

#include <string>

namespace pollenta::com {

// The default value of root\subKey when it is a string; false when the key
// or the value is missing or of another type.
bool ReadDefaultString(HKEY root, const std::string& subKey, std::string& value);

}  // namespace pollenta::com
