#pragma once

#include "win/Errors.h"

#include <string>

namespace pollenta::ado {

// One entry of a connection's errors collection.
struct AdoErrorRecord {
    HRESULT number = S_OK;
    std::string description;
    LONG nativeError = 0;
};

inline constexpr const char* kAdoSource = "Pollenta ADO SQLite provider";

}  // namespace pollenta::ado
