#include "mapi/MailFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace pollenta::mapi {

namespace {

class CFileDescriptor {
public:
    explicit CFileDescriptor(int fd) : m_fd(fd) {}
    ~CFileDescriptor()
    {
        if (m_fd >= 0)
            close(m_fd);
    }
    CFileDescriptor(const CFileDescriptor&) = delete;
    CFileDescriptor& operator=(const CFileDescriptor&) = delete;
    int Get() const { return m_fd; }

private:
    int m_fd;
};

std::string CannotBeRead(int error)
{
    return std::string("it cannot be read (") + std::strerror(error) + ")";
}

// What the file is, when it is no regular file.
const char* KindOf(const struct stat& info)
{
    if (S_ISDIR(info.st_mode))
        return "it is a directory";
    return S_ISREG(info.st_mode) ? nullptr : "it is not a regular file";
}

bool SameVersion(const struct stat& before, const struct stat& after)
{
    return before.st_size == after.st_size && before.st_mtim.tv_sec == after.st_mtim.tv_sec &&
           before.st_mtim.tv_nsec == after.st_mtim.tv_nsec;
}

}  // namespace

bool ReadMailFile(const std::string& path, std::vector<BYTE>& bytes, std::string& reason)
{
    bytes.clear();
    // Not blocking: a FIFO is refused below rather than waited on.
    CFileDescriptor file(open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK));
    struct stat before {};
    if (file.Get() < 0 || fstat(file.Get(), &before) != 0) {
        reason = CannotBeRead(errno);
        return false;
    }
    if (const char* kind = KindOf(before)) {
        reason = kind;
        return false;
    }
    if (before.st_size == 0) {
        reason = "it is empty";
        return false;
    }
    const auto expected = static_cast<std::size_t>(before.st_size);
    bytes.resize(expected + 1);
    std::size_t read = 0;
    // One byte more than the size, so that a file that grew is seen.
    while (read < bytes.size()) {
        const ssize_t n = ::read(file.Get(), bytes.data() + read, bytes.size() - read);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0) {
            reason = CannotBeRead(errno);
            return false;
        }
        if (n == 0)
            break;
        read += static_cast<std::size_t>(n);
    }
    bytes.resize(read);
    struct stat after {};
    if (read < expected) {
        reason = "it ended after " + std::to_string(read) + " of " + std::to_string(expected) + " bytes";
        return false;
    }
    if (read > expected || fstat(file.Get(), &after) != 0 || !SameVersion(before, after)) {
        reason = "it changed while it was read";
        return false;
    }
    return true;
}

}  // namespace pollenta::mapi
