#include "DropMail.h"

#include "mapi/MailFile.h"
#include "win/Registry.h"

#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <vector>
#include <thread>

namespace mailhost {

namespace fs = std::filesystem;

namespace {

constexpr const char* kProfilesKey = "Software\\Pollenta\\MAPI\\Profiles\\";
// The host looks at its drop folder about once a second; one that takes
// nothing for this long is taken to be stuck.
constexpr auto kPatience = std::chrono::seconds(30);

// Written whole under another name, then renamed, so that the host never
// takes half a file.
bool WriteWhole(const std::vector<BYTE>& bytes, const fs::path& target)
{
    fs::path partial = target;
    partial += ".part";
    std::ofstream out(partial, std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    out.close();
    std::error_code error;
    if (!out || (fs::rename(partial, target, error), error)) {
        fs::remove(partial, error);
        return false;
    }
    return true;
}

// The folder's path goes first, beside the mail, so that the host finds
// it whenever it takes the mail.
bool Drop(const std::string& file, const fs::path& target, const std::string& folder)
{
    std::vector<BYTE> mime;
    std::string reason;
    if (!pollenta::mapi::ReadMailFile(file, mime, reason)) {
        std::fprintf(stderr, "mailhost: %s was not delivered: %s\n", file.c_str(), reason.c_str());
        return false;
    }
    fs::path sidecar = target;
    sidecar += ".folder";
    const std::string path = folder + "\n";
    if ((!folder.empty() && !WriteWhole({path.begin(), path.end()}, sidecar)) || !WriteWhole(mime, target)) {
        std::error_code error;
        fs::remove(sidecar, error);
        std::fprintf(stderr, "mailhost: %s cannot be written into %s\n", file.c_str(),
                     target.parent_path().c_str());
        return false;
    }
    return true;
}

enum class DropState { Waiting, Taken, Refused };

// Whether the file, or the host's claim on it, is still in the folder, or
// the host set it aside since its folder is not there.
DropState StateOf(const fs::path& dropped)
{
    const std::string name = dropped.filename().string();
    const std::string claimed = name + ".claimed-";
    const std::string refused = name + ".refused";
    std::error_code error;
    for (const auto& entry : fs::directory_iterator(dropped.parent_path(), error)) {
        const std::string other = entry.path().filename().string();
        if (other == name || other.rfind(claimed, 0) == 0)
            return DropState::Waiting;
        if (other == refused)
            return DropState::Refused;
    }
    return DropState::Taken;
}

// Reports what became of one dropped file; false while it waits.
bool Settled(const std::string& file, const fs::path& dropped, const std::string& folder, int& result)
{
    switch (StateOf(dropped)) {
    case DropState::Waiting:
        return false;
    case DropState::Taken:
        std::printf("delivered %s\n", file.c_str());
        return true;
    case DropState::Refused:
        break;
    }
    std::fprintf(stderr, "mailhost: %s was not delivered: the running host has no folder %s\n", file.c_str(),
                 folder.c_str());
    std::error_code error;
    fs::path refused = dropped, sidecar = dropped;
    refused += ".refused";
    sidecar += ".folder";
    fs::remove(refused, error);
    fs::remove(sidecar, error);
    result = 1;
    return true;
}

}  // namespace

std::string ProfileDropFolder(const std::string& profile)
{
    HKEY key = nullptr;
    if (RegOpenKeyEx(HKEY_CURRENT_USER, (kProfilesKey + profile).c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS)
        return "";
    char buffer[4096] = {};
    DWORD size = sizeof buffer - 1;
    DWORD type = 0;
    const bool read = RegQueryValueEx(key, "DropFolder", nullptr, &type, reinterpret_cast<LPBYTE>(buffer), &size) ==
                          ERROR_SUCCESS &&
                      type == REG_SZ;
    RegCloseKey(key);
    return read ? buffer : "";
}

int DropMail(const std::string& dropFolder, const std::vector<std::string>& files, const std::string& folder)
{
    int result = 0;
    std::error_code error;
    fs::create_directories(dropFolder, error);
    std::vector<std::pair<std::string, fs::path>> pending;
    for (std::size_t i = 0; i < files.size(); ++i) {
        const fs::path target =
            fs::path(dropFolder) / ("mailhost-" + std::to_string(getpid()) + "-" + std::to_string(i) + ".eml");
        if (Drop(files[i], target, folder))
            pending.emplace_back(files[i], target);
        else
            result = 1;
    }
    auto lastProgress = std::chrono::steady_clock::now();
    while (!pending.empty()) {
        const std::size_t before = pending.size();
        std::erase_if(pending, [&](const auto& file) { return Settled(file.first, file.second, folder, result); });
        if (pending.size() < before)
            lastProgress = std::chrono::steady_clock::now();
        else if (std::chrono::steady_clock::now() - lastProgress > kPatience)
            break;
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    for (const auto& [file, dropped] : pending) {
        std::fprintf(stderr, "mailhost: %s was not taken by the running host; it waits in %s\n", file.c_str(),
                     dropped.c_str());
        result = 1;
    }
    return result;
}

}  // namespace mailhost
