#pragma once
// The four lines that open a day's log file, each ending in CR LF, dated
// with the instant of the event that made the file.

#include "win/Types.h"

#include <string>

std::string LogHeader(const SYSTEMTIME& localTime);
