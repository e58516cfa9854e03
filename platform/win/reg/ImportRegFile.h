#pragma once
// reg import: a file in the registry editor's text form merged into the
// registry. Its keys are written in one change of their root's file, so a
// file of a hundred keys costs one write, not a hundred.

#include "win/Types.h"

#include <string>

// ERROR_SUCCESS, or a Win32 error with `problem` saying what was wrong
// (the line of a damaged file, a root other than HKCU or HKLM).
LONG ImportRegFile(const std::string& path, std::string& problem);
