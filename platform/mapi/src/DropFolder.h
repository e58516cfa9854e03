#pragma once
// The drop folder of incoming mail, shared by every process logged on to
// the profile. A file is claimed by renaming it to a name that carries the
// claiming process's id: the rename succeeds for exactly one process, so
// each file is delivered once however many spoolers watch the folder.
// Mail for another folder than the Inbox carries that folder's display path
// in "<name>.eml.folder", written before the mail itself; mail whose folder
// does not exist is set aside as "<name>.eml.refused" for its sender to see.

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace pollenta::mapi {

class CDropFolder {
public:
    explicit CDropFolder(std::filesystem::path folder) : m_folder(std::move(folder)) {}

    // The .eml files waiting, in name order.
    std::vector<std::filesystem::path> Waiting() const;
    // The claimed file's new name, or nothing when another process has
    // claimed or removed it first.
    std::optional<std::filesystem::path> Claim(const std::filesystem::path& file) const;
    // Gives a claimed file back under its own name, for the next round.
    void Return(const std::filesystem::path& claimed) const;
    // The display path of the folder that the mail `file` is for; nothing
    // for the Inbox.
    std::optional<std::string> TargetFolder(const std::filesystem::path& file) const;
    // Sets a claimed file aside for good: its folder is not there.
    void Refuse(const std::filesystem::path& claimed) const;
    // Removes what came with the delivered mail `file`.
    void Delivered(const std::filesystem::path& file) const;
    // Gives back the files claimed by processes that have ended without
    // delivering them.
    void ReturnAbandoned() const;

private:
    std::filesystem::path m_folder;
};

}  // namespace pollenta::mapi
