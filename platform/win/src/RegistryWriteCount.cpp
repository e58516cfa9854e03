#include "RegistryWriteCount.h"

#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

RegistryWriteCount::RegistryWriteCount(std::string lockPath) : m_path(std::move(lockPath)) {}

RegistryWriteCount::~RegistryWriteCount() { Unmap(); }

std::optional<uint64_t> RegistryWriteCount::Read()
{
    if (!m_count && !Map(false))
        return std::nullopt;
    return __atomic_load_n(m_count, __ATOMIC_ACQUIRE);
}

std::optional<uint64_t> RegistryWriteCount::Add()
{
    if (!m_count && !Map(true))
        return std::nullopt;
    return __atomic_add_fetch(m_count, 1, __ATOMIC_ACQ_REL);
}

void RegistryWriteCount::Recheck()
{
    struct stat status {};
    if (m_count && (stat(m_path.c_str(), &status) != 0 || status.st_dev != m_device || status.st_ino != m_inode))
        Unmap();
}

// A reader leaves the folder as it found it: until a writer has made the
// lock file and room for the count in it, there is no count to read. A
// writer lengthening the file while another does the same, or has counted
// already, changes no byte, so no lock is needed for it.
bool RegistryWriteCount::Map(bool writer)
{
    const int fd = open(m_path.c_str(), writer ? O_RDWR | O_CREAT | O_CLOEXEC : O_RDWR | O_CLOEXEC, 0600);
    if (fd < 0)
        return false;
    struct stat status {};
    const bool room = fstat(fd, &status) == 0 && (status.st_size >= static_cast<off_t>(sizeof(uint64_t)) ||
                                                  (writer && ftruncate(fd, sizeof(uint64_t)) == 0));
    if (!room) {
        close(fd);
        return false;
    }
    void* mapped = mmap(nullptr, sizeof(uint64_t), PROT_READ | PROT_WRITE, MAP_SHARED, fd, 0);
    if (mapped == MAP_FAILED) {
        close(fd);
        return false;
    }
    m_fd = fd;
    m_count = static_cast<uint64_t*>(mapped);
    m_device = status.st_dev;
    m_inode = status.st_ino;
    return true;
}

void RegistryWriteCount::Unmap()
{
    if (m_count)
        munmap(m_count, sizeof(uint64_t));
    if (m_fd >= 0)
        close(m_fd);
    m_count = nullptr;
    m_fd = -1;
}
