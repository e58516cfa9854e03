#include "HostOptions.h"

namespace mailhost {

const char* const kUsage =
    "usage: mailhost [--profile NAME] [--headless] [--client-version X.Y.Z] [run]\n"
    "         runs the mail client with its add-ins until SIGINT or SIGTERM\n"
    "       mailhost [--profile NAME] deliver FILE.eml... [--folder \"\\\\Personal Folders\\Inbox\"]\n"
    "         delivers mail into the profile's Inbox or the folder\n"
    "       mailhost create-profile NAME [--address ADDR] [--name \"USER NAME\"]\n"
    "         makes a profile with a store, an address book and its mail folders\n";

namespace {

bool TakesValue(const std::string& option)
{
    return option == "--profile" || option == "--folder" || option == "--address" || option == "--name" ||
           option == "--client-version";
}

}  // namespace

bool ParseHostOptions(const std::vector<std::string>& args, HostOptions& options, std::string& error)
{
    std::vector<std::string> words;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (arg == "--headless") {
            options.headless = true;
        } else if (TakesValue(arg)) {
            if (i + 1 >= args.size()) {
                error = arg + " needs a value";
                return false;
            }
            const std::string& value = args[++i];
            if (arg == "--folder" && value.empty()) {
                error = "--folder needs the path of an existing folder";
                return false;
            }
            if (arg == "--profile")
                options.profile = value;
            else if (arg == "--folder")
                options.folder = value;
            else if (arg == "--address")
                options.address = value;
            else if (arg == "--name")
                options.userName = value;
            else
                options.clientVersion = value;
        } else if (arg.rfind("--", 0) == 0) {
            error = "unknown option " + arg;
            return false;
        } else {
            words.push_back(arg);
        }
    }
    if (!words.empty()) {
        options.command = words.front();
        options.words.assign(words.begin() + 1, words.end());
    }
    if (options.command == "run" && options.words.empty())
        return true;
    if (options.command == "deliver" && !options.words.empty())
        return true;
    if (options.command == "create-profile" && options.words.size() == 1)
        return true;
    error = "cannot make sense of the command line";
    return false;
}

}  // namespace mailhost
