#pragma once
// The symbolic name of a MAPI result code, for logs and error texts:
// GetMapiErrorName(0x8004010F) is "MAPI_E_NOT_FOUND". The Simple MAPI codes
// 1-26 have their names too; a code without a name is written as
// FormatHResult writes it.

#include "win/Types.h"

#include <string>

std::string GetMapiErrorName(HRESULT hr);
