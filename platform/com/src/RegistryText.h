#pragma once
// Reading the string values that class registration keeps in the registry.

#include "win/Registry.h"

#include <string>

namespace pollenta::com {

enum class ReadResult { Found, Missing, Failed };

// The default value of root\subKey when it is a string. Missing: the key
// or the value is not there, or is no string; Failed: the registry could not
// be read (a damaged file, for one).
ReadResult ReadDefaultString(HKEY root, const std::string& subKey, std::string& value);

}  // namespace pollenta::com
