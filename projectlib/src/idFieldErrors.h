#pragma once
// One field of an answer that could not be set, with the reason code.

#include "win/Types.h"

#include <string>

struct idFieldErrors {
    // A value that the field did not take.
    static constexpr LONG kSetValueFailed = 10;
    // No field of that name in the answer table.
    static constexpr LONG kFieldNotFound = 11;

    std::string fieldName;
    LONG errorCode = 0;
};
