#include "util/DeleteFolderTree.h"

#include <filesystem>
#include <vector>

namespace fs = std::filesystem;

namespace {

void DeleteEntries(const fs::path& folder)
{
    std::vector<fs::path> entries;
    std::error_code error;
    for (fs::directory_iterator entry(folder, error), end; !error && entry != end; entry.increment(error)) {
        std::error_code ignored;
        // symlink_status: a link to a folder is a link, and goes as one.
        if (fs::is_directory(entry->symlink_status(ignored)))
            DeleteEntries(entry->path());
        entries.push_back(entry->path());
    }
    // The search has ended before anything is removed.
    for (const fs::path& entry : entries) {
        std::error_code ignored;
        fs::remove(entry, ignored);
    }
}

}  // namespace

BOOL DeleteFolderTree(const char* path)
{
    if (!path || !*path)
        return FALSE;
    std::error_code ignored;
    if (fs::is_directory(fs::symlink_status(path, ignored)))
        DeleteEntries(path);
    fs::remove(path, ignored);
    return TRUE;
}
