#include "FileInfo.h"

#include "ErrnoError.h"
#include "win/Time.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

constexpr ULONGLONG kUnixEpochTicks = 116444736000000000ULL;

FILETIME FromTimestamp(const statx_timestamp& time)
{
    const long long ticks = static_cast<long long>(kUnixEpochTicks) + time.tv_sec * 10000000LL + time.tv_nsec / 100;
    return FileTimeFromTicks(ticks > 0 ? static_cast<ULONGLONG>(ticks) : 0);
}

std::string BaseName(std::string path)
{
    while (path.size() > 1 && path.back() == '/')
        path.pop_back();
    const size_t slash = path.rfind('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

} // namespace

DWORD FileInfo::Read(const std::string& path, WIN32_FILE_ATTRIBUTE_DATA& data)
{
    struct statx info {};
    if (statx(AT_FDCWD, path.c_str(), 0, STATX_BASIC_STATS | STATX_BTIME, &info) != 0) {
        // A missing folder on the way is a missing path, as Windows says it.
        if (errno == ENOENT) {
            const size_t slash = path.rfind('/');
            struct stat parent {};
            if (slash != std::string::npos && slash > 0 && stat(path.substr(0, slash).c_str(), &parent) != 0)
                return ERROR_PATH_NOT_FOUND;
        }
        return Win32ErrorFromErrno(errno);
    }
    data = {};
    if (S_ISDIR(info.stx_mode))
        data.dwFileAttributes = FILE_ATTRIBUTE_DIRECTORY;
    else
        data.dwFileAttributes = FILE_ATTRIBUTE_ARCHIVE;
    if (access(path.c_str(), W_OK) != 0 && errno == EACCES)
        data.dwFileAttributes |= FILE_ATTRIBUTE_READONLY;
    const std::string name = BaseName(path);
    if (name.size() > 1 && name[0] == '.' && name != "..")
        data.dwFileAttributes |= FILE_ATTRIBUTE_HIDDEN;

    data.ftLastWriteTime = FromTimestamp(info.stx_mtime);
    data.ftLastAccessTime = FromTimestamp(info.stx_atime);
    data.ftCreationTime = data.ftLastWriteTime;
    if (info.stx_mask & STATX_BTIME) {
        const FILETIME birth = FromTimestamp(info.stx_btime);
        if (CompareFileTime(&birth, &data.ftLastWriteTime) < 0)
            data.ftCreationTime = birth;
    }
    if (!S_ISDIR(info.stx_mode)) {
        data.nFileSizeHigh = static_cast<DWORD>(info.stx_size >> 32);
        data.nFileSizeLow = static_cast<DWORD>(info.stx_size);
    }
    return ERROR_SUCCESS;
}
