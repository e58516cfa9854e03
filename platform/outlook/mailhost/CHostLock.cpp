#include "CHostLock.h"

#include "HostProfile.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <filesystem>

namespace mailhost {

namespace {

int OpenLockFile(const std::string& profile)
{
    const std::filesystem::path folder = ProfileFolder(profile);
    std::error_code error;
    std::filesystem::create_directories(folder, error);
    return open((folder / "host.lock").c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0644);
}

}  // namespace

CHostLock::CHostLock(const std::string& profile) : m_fd(OpenLockFile(profile))
{
    // A second host on the profile runs all the same; the first one keeps it.
    if (m_fd >= 0 && flock(m_fd, LOCK_EX | LOCK_NB) != 0) {
        close(m_fd);
        m_fd = -1;
    }
}

CHostLock::~CHostLock()
{
    if (m_fd >= 0)
        close(m_fd);
}

bool CHostLock::IsHeld(const std::string& profile)
{
    const int fd = OpenLockFile(profile);
    if (fd < 0)
        return false;
    const bool held = flock(fd, LOCK_SH | LOCK_NB) != 0;
    close(fd);
    return held;
}

}  // namespace mailhost
