#pragma once
// The system's wording of an HRESULT, without its line break; "" for an
// HRESULT the system does not describe.

#include "win/Types.h"

#include <string>

std::string SystemErrorText(HRESULT hr);
