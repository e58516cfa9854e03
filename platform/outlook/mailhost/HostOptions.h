#pragma once
// The mail host's command line:
//
//     mailhost [--profile NAME] [--headless] [--client-version X.Y.Z] [run]
//     mailhost [--profile NAME] deliver FILE.eml... [--folder PATH]
//     mailhost create-profile NAME [--address ADDR] [--name "User Name"]

#include <string>
#include <vector>

namespace mailhost {

struct HostOptions {
    std::string command = "run";
    std::string profile;
    std::string folder;
    std::string address;
    std::string userName;
    std::string clientVersion;
    bool headless = false;
    std::vector<std::string> words;
};

// False (with the reason in `error`) for a command line that says nothing
// the host understands.
bool ParseHostOptions(const std::vector<std::string>& args, HostOptions& options, std::string& error);

extern const char* const kUsage;

}  // namespace mailhost
