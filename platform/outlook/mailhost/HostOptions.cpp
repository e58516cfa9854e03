#include "HostOptions.h"

namespace mailhost {

const char* const kUsage =
    "usage: mailhost [--profile NAME] [--headless] [--client-version X.Y.Z] [run]\n"
    "         runs the mail client with its add-ins until SIGINT or SIGTERM\n"
    "       mailhost [--profile NAME] deliver FILE.eml... [--folder \"\\\\Personal Folders\\Inbox\"]\n"
    "         delivers mail into the profile's Inbox or the folder\n"
    "       mailhost create-profile NAME [--address ADDR] [--name \"USER NAME\"]\n"
    "         makes a profile with a store, an address book and its mail folders\n"
    "       mailhost [--profile NAME] account --smtp URL [--imap URL] [--user NAME] [--password-file FILE]\n"
    "                [--ca-file FILE] [--poll SECONDS] [--retry-max SECONDS]\n"
    "         sends the profile's mail through the SMTP server and fetches it from the IMAP mailbox\n"
    "       mailhost [--profile NAME] account [--clear]\n"
    "         prints the profile's mail account, or removes it\n"
    "       mailhost [--profile NAME] fetch\n"
    "         fetches new mail from the account's IMAP mailbox now\n";

namespace {

// Where each option's value goes.
std::string* ValueOf(const std::string& option, HostOptions& options)
{
    const std::pair<const char*, std::string*> values[] = {{"--profile", &options.profile},
                                                           {"--folder", &options.folder},
                                                           {"--address", &options.address},
                                                           {"--name", &options.userName},
                                                           {"--client-version", &options.clientVersion},
                                                           {"--smtp", &options.smtpUrl},
                                                           {"--imap", &options.imapUrl},
                                                           {"--user", &options.user},
                                                           {"--password-file", &options.passwordFile},
                                                           {"--ca-file", &options.caFile},
                                                           {"--poll", &options.pollSeconds},
                                                           {"--retry-max", &options.retryMaxSeconds}};
    for (const auto& [name, value] : values)
        if (option == name)
            return value;
    return nullptr;
}

}  // namespace

bool ParseHostOptions(const std::vector<std::string>& args, HostOptions& options, std::string& error)
{
    std::vector<std::string> words;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (arg == "--headless") {
            options.headless = true;
        } else if (arg == "--clear") {
            options.clearAccount = true;
        } else if (std::string* value = ValueOf(arg, options)) {
            if (i + 1 >= args.size()) {
                error = arg + " needs a value";
                return false;
            }
            *value = args[++i];
            if (arg == "--folder" && value->empty()) {
                error = "--folder needs the path of an existing folder";
                return false;
            }
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
    if ((options.command == "account" || options.command == "fetch") && options.words.empty())
        return true;
    error = "cannot make sense of the command line";
    return false;
}

}  // namespace mailhost
