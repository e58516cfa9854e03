#pragma once
// The Win32 error that stands for a C library error number.

#include "win/Types.h"

DWORD Win32ErrorFromErrno(int error);
