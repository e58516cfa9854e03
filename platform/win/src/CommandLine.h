#pragma once
// Splits a command line into words the way the Windows C runtime does:
// white space separates words, double quotes group them, and backslashes
// count only before a quote (2n backslashes and a quote give n backslashes
// and a group boundary, 2n+1 give n backslashes and a literal quote).

#include <string>
#include <string_view>
#include <vector>

class CommandLine {
public:
    static std::vector<std::string> Split(std::string_view line);
};
