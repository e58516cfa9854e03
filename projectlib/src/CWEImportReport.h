#pragma once
// Runs a project import from a command line and tells the user how it went,
// as the command line's switch asks: Retry runs it again, Ignore makes it
// count as done. A silent import tells standard error instead.

#include <string>

#include "win/Types.h"

class CWEImportReport {
public:
    struct Result {
        // The import's result, or 0 when the user chose to ignore a failure
        // or the switch keeps the import silent.
        LONG result = 0;
        // What a script that ran the import reads: the result, but for a
        // silent import the result code of the import itself.
        LONG exitStatus = 0;
    };
    static Result ImportWithReport(const std::string& commandLine);
};
