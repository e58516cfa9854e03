#pragma once
// One warning of a page generation: the form object it concerns and what
// went wrong with it.

#include "win/Types.h"

#include <string>

struct htmlWarningsDesc {
    std::string objectName;
    LONG warningId = 0;
};
