#pragma once
// The component's own English string resources: the last resort for a text
// that no language table holds.

#include <cstdint>

// The text of one of the ids 102, 106-111, 117-122, 1011, 1031-1033 and
// 2100, or null.
const char* ModuleString(std::uint32_t id);
