#pragma once
// Runs the regsvr program of the build on a module of the build, as an
// installer would: Regsvr("/s", "Kestrin.so"), Regsvr("/u /s", "Kestrin.so").

#include <cstdlib>
#include <string>

inline const std::string kBinDir = POLLENTA_BIN_DIR;

inline int Regsvr(const std::string& arguments, const std::string& module)
{
    const std::string command = "'" + kBinDir + "/regsvr' " + arguments + " '" + kBinDir + "/" + module + "'";
    return std::system(command.c_str());
}
