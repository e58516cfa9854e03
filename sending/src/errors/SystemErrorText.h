#pragma once
// The system's wording of an HRESULT, in English; "" for an HRESULT it does
// not describe.

#include "win/Types.h"

#include <string>

std::string SystemErrorText(HRESULT hr);
