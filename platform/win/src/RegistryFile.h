#pragma once
// One registry root kept in one file that several processes share. Readers
// take the file as it stands (it is only ever replaced whole); a change
// holds an exclusive lock on a companion lock file, starts from the file's
// current content and replaces it atomically. The file is looked at again
// only when something in its folder has changed.

#include "RegistryNode.h"

#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <sys/stat.h>

class RegistryFile {
public:
    RegistryFile(std::string path, std::string rootName);

    // Calls read with the current tree; returns ERROR_SUCCESS or the error
    // that kept the file from being read (a damaged file among them).
    LONG Read(const std::function<void(const RegistryNode& root)>& read);

    // Calls change on a copy of the current tree; when it returns
    // ERROR_SUCCESS the copy becomes the file's new content. A damaged file
    // is never overwritten, and a change that leaves the file's text as it
    // stands does not rewrite it.
    LONG Change(const std::function<LONG(RegistryNode& root)>& change);

    // The folder of the registry files for this process right now.
    static std::string Folder();

private:
    LONG Refresh();

    std::string m_path;
    std::string m_rootName;
    std::mutex m_mutex;
    std::unique_ptr<RegistryNode> m_root;
    std::string m_text; // the file's bytes that m_root was read from or written as
    struct stat m_seen {};
    bool m_present = false;
    std::optional<uint64_t> m_stamp;  // the folder's change stamp when last looked at
};
