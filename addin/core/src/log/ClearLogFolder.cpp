#include "log/ClearLogFolder.h"

#include "log/LogFileName.h"

#include <filesystem>
#include <vector>

namespace fs = std::filesystem;

void ClearLogFolder(const std::string& folder)
{
    std::error_code error;
    if (folder.empty() || !fs::is_directory(fs::symlink_status(folder, error)))
        return;
    std::vector<fs::path> logs;
    for (fs::directory_iterator entry(folder, error), end; !error && entry != end; entry.increment(error)) {
        std::error_code ignored;
        if (fs::is_regular_file(entry->symlink_status(ignored)) && IsLogFileName(entry->path().filename().string()))
            logs.push_back(entry->path());
    }
    for (const fs::path& log : logs) {
        std::error_code ignored;
        fs::remove(log, ignored);
    }
    // remove() takes a folder only when it is empty.
    std::error_code ignored;
    fs::remove(folder, ignored);
}
