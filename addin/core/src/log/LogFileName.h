#pragma once
// The names of the add-in's log files: "kq" and the local date as yymmdd,
// then ".log" ("kq061110.log").

#include "win/Types.h"

#include <string>

std::string LogFileName(const SYSTEMTIME& localTime);
// True only for names the log writer gives its files.
bool IsLogFileName(const std::string& name);
