#pragma once
// The kind of a control, by the keyword of its block: its ControlType number
// and the control interface it answers to.

#include "com/Guid.h"

#include <optional>
#include <string>

namespace pollenta::access {

struct ControlKind {
    long controlType;
    const IID* iid;  // null for kinds without a published interface here
};

std::optional<ControlKind> ControlKindOf(const std::string& keyword);

}  // namespace pollenta::access
