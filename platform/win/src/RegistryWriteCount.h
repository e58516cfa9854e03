#pragma once
// How many times writers of ours have changed one registry file, counted in
// the first eight bytes of its lock file, which every process of ours maps:
// a writer adds one after each change it has made durable, while it still
// holds the lock, and a reader that finds the count as it was has nothing
// of ours to read again, without any call into the kernel. (Edits by other
// programs are told by the folder's watch.)
//
//     RegistryWriteCount count(path + ".lock");
//     std::optional<uint64_t> seen = count.Read(); // then read the files
//     ... if (count.Read() == seen) the files hold what was read

#include <cstdint>
#include <optional>
#include <string>
#include <sys/types.h>

class RegistryWriteCount {
public:
    explicit RegistryWriteCount(std::string lockPath);
    ~RegistryWriteCount();
    RegistryWriteCount(const RegistryWriteCount&) = delete;
    RegistryWriteCount& operator=(const RegistryWriteCount&) = delete;

    // The count; nothing while no writer has counted yet or the lock file
    // cannot be had, and the caller must look itself.
    std::optional<uint64_t> Read();
    // Counts one more change; the caller holds the lock. Returns the new
    // count, or nothing when it could not be counted.
    std::optional<uint64_t> Add();
    // Maps the lock file anew if it is no longer the one at its path, as
    // when the folder was made anew.
    void Recheck();

private:
    bool Map(bool writer);
    void Unmap();

    std::string m_path;
    int m_fd = -1;
    uint64_t* m_count = nullptr;
    dev_t m_device = 0;
    ino_t m_inode = 0;
};
