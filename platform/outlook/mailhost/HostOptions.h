#pragma once
// The mail host's command line:
//
//     mailhost [--profile NAME] [--headless] [--client-version X.Y.Z] [run]
//     mailhost [--profile NAME] deliver FILE.eml... [--folder PATH]
//     mailhost create-profile NAME [--address ADDR] [--name "User Name"]
//     mailhost [--profile NAME] account [--smtp URL [--imap URL] [--user NAME] [--password-file FILE]
//                                        [--ca-file FILE] [--poll SECONDS] [--retry-max SECONDS]] | [--clear]
//     mailhost [--profile NAME] fetch

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
    // The account command's settings; only those given are changed.
    std::string smtpUrl;
    std::string imapUrl;
    std::string user;
    std::string passwordFile;
    std::string caFile;
    std::string pollSeconds;
    std::string retryMaxSeconds;
    bool clearAccount = false;
    bool headless = false;
    std::vector<std::string> words;
};

// False (with the reason in `error`) for a command line that says nothing
// the host understands.
bool ParseHostOptions(const std::vector<std::string>& args, HostOptions& options, std::string& error);

extern const char* const kUsage;

}  // namespace mailhost
