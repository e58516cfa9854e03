#include "DropFolder.h"

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <csignal>
#include <cstdio>
#include <fstream>
#include <string>
#include <fcntl.h>
#include <unistd.h>

namespace pollenta::mapi {

namespace {

// "<name>.eml.claimed-<pid>": no longer an .eml file for the other watchers.
const std::string kClaimed = ".claimed-";
const std::string kTarget = ".folder";
const std::string kRefused = ".refused";

std::filesystem::path WithSuffix(std::filesystem::path file, const std::string& suffix)
{
    file += suffix;
    return file;
}

std::filesystem::path OriginalName(const std::filesystem::path& claimed)
{
    std::string name = claimed.filename().string();
    return claimed.parent_path() / name.substr(0, name.rfind(kClaimed));
}

bool ProcessHasEnded(const std::string& pid)
{
    if (pid.empty() || !std::all_of(pid.begin(), pid.end(), [](unsigned char c) { return std::isdigit(c); }))
        return false;
    return kill(static_cast<pid_t>(std::stol(pid)), 0) != 0 && errno == ESRCH;
}

}  // namespace

std::vector<std::filesystem::path> CDropFolder::Waiting() const
{
    std::vector<std::filesystem::path> files;
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator(m_folder, error))
        if (entry.is_regular_file() && entry.path().extension() == ".eml") files.push_back(entry.path());
    std::sort(files.begin(), files.end());
    return files;
}

std::optional<std::filesystem::path> CDropFolder::Claim(const std::filesystem::path& file) const
{
    std::filesystem::path claimed = file;
    claimed += kClaimed + std::to_string(getpid());
    if (std::rename(file.c_str(), claimed.c_str()) != 0) return std::nullopt;
    return claimed;
}

void CDropFolder::Return(const std::filesystem::path& claimed) const
{
    // A new file dropped under the same name meanwhile is not overwritten;
    // the claimed one then waits for the claimer's end.
    std::filesystem::path original = OriginalName(claimed);
    if (renameat2(AT_FDCWD, claimed.c_str(), AT_FDCWD, original.c_str(), RENAME_NOREPLACE) != 0 && errno == EINVAL)
        std::rename(claimed.c_str(), original.c_str());  // a file system without the flag
}

std::optional<std::string> CDropFolder::TargetFolder(const std::filesystem::path& file) const
{
    std::ifstream in(WithSuffix(file, kTarget), std::ios::binary);
    std::string path;
    if (!in || !std::getline(in, path)) return std::nullopt;
    return path;
}

void CDropFolder::Refuse(const std::filesystem::path& claimed) const
{
    std::rename(claimed.c_str(), WithSuffix(OriginalName(claimed), kRefused).c_str());
}

void CDropFolder::Delivered(const std::filesystem::path& file) const
{
    std::error_code error;
    std::filesystem::remove(WithSuffix(file, kTarget), error);
}

void CDropFolder::ReturnAbandoned() const
{
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator(m_folder, error)) {
        std::string name = entry.path().filename().string();
        std::size_t mark = name.rfind(kClaimed);
        if (mark != std::string::npos && ProcessHasEnded(name.substr(mark + kClaimed.size()))) Return(entry.path());
    }
}

}  // namespace pollenta::mapi
