#include "AccountCommand.h"

#include "HostProfile.h"

#include "mapi/MapiAdmin.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>

namespace mailhost {

namespace {

int Refuse(const std::string& text)
{
    std::fprintf(stderr, "mailhost: %s\n", text.c_str());
    return 1;
}

bool HasScheme(const std::string& url, std::initializer_list<const char*> schemes)
{
    for (const char* scheme : schemes)
        if (url.rfind(std::string(scheme) + "://", 0) == 0)
            return true;
    return false;
}

bool ReadSeconds(const std::string& text, DWORD& seconds)
{
    if (text.empty())
        return true;
    char* end = nullptr;
    const unsigned long value = std::strtoul(text.c_str(), &end, 10);
    if (*end != '\0' || value == 0 || value > 86400)
        return false;
    seconds = static_cast<DWORD>(value);
    return true;
}

// Written under a new name readable by the owner alone, then renamed over
// the old one, so that the password is never readable by others, not even
// for a moment.
bool StorePassword(const std::string& from, const std::string& to, std::string& error)
{
    std::ifstream in(from, std::ios::binary);
    if (!in) {
        error = "cannot read the password file " + from;
        return false;
    }
    const std::string password((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    const std::string temporary = to + ".new";
    ::unlink(temporary.c_str());
    const int fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, S_IRUSR | S_IWUSR);
    if (fd < 0) {
        error = "cannot write " + temporary + ": " + std::strerror(errno);
        return false;
    }
    const bool written = ::write(fd, password.data(), password.size()) == static_cast<ssize_t>(password.size());
    const bool closed = ::close(fd) == 0;
    if (!written || !closed || ::rename(temporary.c_str(), to.c_str()) != 0) {
        error = "cannot write " + to + ": " + std::strerror(errno);
        ::unlink(temporary.c_str());
        return false;
    }
    return true;
}

void Print(const pollenta::mapi::MailAccount& account)
{
    if (account.smtpUrl.empty()) {
        std::printf("no mail account: sent mail goes to the outgoing folder\n");
        return;
    }
    std::printf("smtp: %s\n", account.smtpUrl.c_str());
    std::printf("imap: %s\n", account.imapUrl.empty() ? "(none)" : account.imapUrl.c_str());
    std::printf("user: %s\n", account.user.empty() ? "(none)" : account.user.c_str());
    std::printf("password: %s\n", account.passwordFile.empty() ? "(none)" : ("kept in " + account.passwordFile).c_str());
    std::printf("ca-file: %s\n", account.caFile.empty() ? "(the system's)" : account.caFile.c_str());
    std::printf("poll: every %u s\n", static_cast<unsigned>(account.pollSeconds));
    std::printf("retry: after 1 s, doubling up to %u s\n", static_cast<unsigned>(account.retryMaxSeconds));
}

bool Change(const HostOptions& options, const std::string& profile, pollenta::mapi::MailAccount& account,
            std::string& error)
{
    if (!HasScheme(options.smtpUrl, {"smtp", "smtps"})) {
        error = "--smtp takes an smtp:// or smtps:// URL, not \"" + options.smtpUrl + "\"";
        return false;
    }
    if (!options.imapUrl.empty() && !HasScheme(options.imapUrl, {"imap", "imaps"})) {
        error = "--imap takes an imap:// or imaps:// URL, not \"" + options.imapUrl + "\"";
        return false;
    }
    if (!ReadSeconds(options.pollSeconds, account.pollSeconds) ||
        !ReadSeconds(options.retryMaxSeconds, account.retryMaxSeconds)) {
        error = "--poll and --retry-max take a number of seconds from 1 to 86400";
        return false;
    }
    account.smtpUrl = options.smtpUrl;
    if (!options.imapUrl.empty())
        account.imapUrl = options.imapUrl;
    if (!options.user.empty())
        account.user = options.user;
    if (!options.caFile.empty()) {
        if (!std::filesystem::is_regular_file(options.caFile)) {
            error = "the CA file " + options.caFile + " is not there";
            return false;
        }
        account.caFile = std::filesystem::absolute(options.caFile).string();
    }
    if (!options.passwordFile.empty()) {
        const std::string folder = ProfileFolder(profile);
        std::error_code ignored;
        std::filesystem::create_directories(folder, ignored);
        account.passwordFile = folder + "/account-password";
        if (!StorePassword(options.passwordFile, account.passwordFile, error))
            return false;
    }
    return true;
}

}  // namespace

int AccountCommand(const HostOptions& options)
{
    const std::string profile = ProfileName(options.profile);
    pollenta::mapi::MailAccount account;
    if (profile.empty() || FAILED(pollenta::mapi::ProfileAccount(profile, account)))
        return Refuse("there is no profile \"" + profile + "\"");
    if (options.clearAccount) {
        if (!account.passwordFile.empty())
            std::filesystem::remove(account.passwordFile);
        if (FAILED(pollenta::mapi::SetProfileAccount(profile, {})))
            return Refuse(pollenta::mapi::AdminErrorText());
        std::printf("profile %s: no mail account\n", profile.c_str());
        return 0;
    }
    const bool changing = !options.smtpUrl.empty() || !options.imapUrl.empty() || !options.user.empty() ||
                          !options.passwordFile.empty() || !options.caFile.empty() || !options.pollSeconds.empty() ||
                          !options.retryMaxSeconds.empty();
    if (changing) {
        std::string error;
        if (options.smtpUrl.empty() && !account.smtpUrl.empty()) {
            HostOptions keep = options;
            keep.smtpUrl = account.smtpUrl;
            if (!Change(keep, profile, account, error))
                return Refuse(error);
        } else if (!Change(options, profile, account, error)) {
            return Refuse(error);
        }
        if (FAILED(pollenta::mapi::SetProfileAccount(profile, account)))
            return Refuse(pollenta::mapi::AdminErrorText());
    }
    std::printf("profile %s\n", profile.c_str());
    Print(account);
    return 0;
}

}  // namespace mailhost
