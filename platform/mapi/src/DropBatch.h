#pragma once
// Files of the drop folder, claimed for one folder of a store and delivered
// together in one transaction: a backlog of mail costs the store one commit
// for every few messages rather than one for each. A batch the store cannot
// take is tried again file by file, so that one file that cannot be
// delivered holds back no other.

#include "DropFolder.h"
#include "FolderPath.h"
#include "win/Types.h"

#include <cstddef>
#include <exception>
#include <filesystem>
#include <span>
#include <vector>

namespace pollenta::mapi {

class CDropBatch {
public:
    // Few enough that others who wait for the store's lock meanwhile do not
    // wait long.
    static constexpr std::size_t kMostFiles = 8;

    explicit CDropBatch(const CDropFolder& drop) : m_drop(drop) {}
    CDropBatch(const CDropBatch&) = delete;
    CDropBatch& operator=(const CDropBatch&) = delete;

    // Whether a file for `target` may join the files waiting now.
    bool Accepts(const CFolderPath::Found& target) const;
    void Add(const CFolderPath::Found& target, const std::filesystem::path& file,
             const std::filesystem::path& claimed, std::vector<BYTE> mime);
    bool IsFull() const { return m_files.size() >= kMostFiles; }
    // Delivers the waiting files and removes them from the drop folder. A
    // file that cannot be delivered goes back for the next round; the first
    // failure is kept in `first`.
    void Deliver(std::exception_ptr& first);

private:
    struct File {
        std::filesystem::path name;  // as dropped
        std::filesystem::path claimed;
        std::vector<BYTE> mime;
    };
    void Store(std::span<const File> files) const;

    const CDropFolder& m_drop;
    CFolderPath::Found m_target;
    std::vector<File> m_files;
};

}  // namespace pollenta::mapi
