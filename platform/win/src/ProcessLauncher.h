#pragma once
// Starts a program with posix_spawn, its arguments as separate words and
// never through a shell, and gives a waitable handle that is signalled when
// the program ends.

#include "win/Types.h"

#include <string>
#include <vector>

class ProcessLauncher {
public:
    // program without "/" is searched for in PATH. environment is null
    // (inherit) or a list of "NAME=value" entries. Returns a Win32 error;
    // on success *process (if asked for) holds a handle to close.
    static DWORD Launch(const std::string& program, const std::vector<std::string>& arguments,
                        const std::string& directory, const std::vector<std::string>* environment, HANDLE* process,
                        DWORD* processId);
    // A handle for a launch that a hook answered: already ended, exit code 0.
    static HANDLE EndedProcess();
};
