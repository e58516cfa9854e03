#pragma once
// An HRESULT as the logs and error texts write it: "0x" and eight upper-case
// hexadecimal digits, e.g. "0x80004005".

#include "win/Types.h"

#include <string>

std::string FormatHResult(HRESULT hr);
