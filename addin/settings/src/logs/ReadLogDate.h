#pragma once
// The day a log file was started: its "#Date:" header line, read in the
// user's locale, or the file's creation time (local) when the header block
// has no such line or it is empty. Only the leading "#" lines are read.

#include "logs/CWELogItem.h"

#include "win/Types.h"

// False when the file cannot be opened.
bool ReadLogDate(const std::string& path, const FILETIME& creationTime, CWELogItem& item);
