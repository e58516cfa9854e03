#pragma once
// The pause between blocks of copies: the window keeps answering, and
// Cancel or a quit request ends it early.

#include "CWEProgress.h"

#include "win/Types.h"

void PauseBetweenBlocks(DWORD seconds, CWEProgress& progress);
