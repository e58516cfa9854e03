#pragma once
// DISPIDs for the settings of forms and controls, whose names are not known
// in advance: one id per name (case ignored) for the whole process.

#include "com/Dispatch.h"

#include <optional>
#include <string>

namespace pollenta::access {

DISPID DispIdOfName(const std::string& name);
std::optional<std::string> NameOfDispId(DISPID id);

}  // namespace pollenta::access
