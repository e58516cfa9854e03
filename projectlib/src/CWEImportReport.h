#pragma once
// Runs a project import from a command line and tells the user how it went,
// as the command line's switch asks: Retry runs it again, Ignore makes it
// count as done.

#include <string>

#include "win/Types.h"

class CWEImportReport {
public:
    // The import's result, or 0 when the user chose to ignore a failure or
    // the switch keeps the import silent.
    static LONG ImportWithReport(const std::string& commandLine);
};
