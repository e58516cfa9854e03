#pragma once
// Removes a folder with everything in it. Links are removed, never
// followed, so nothing outside the folder is touched. Single failures are
// passed over; FALSE only for a null or empty path.

#include "win/Types.h"

BOOL DeleteFolderTree(const char* path);
