#include "win/File.h"

#include "ErrnoError.h"
#include "FileInfo.h"

#include <cerrno>
#include <fcntl.h>
#include <filesystem>
#include <sys/stat.h>
#include <unistd.h>

namespace {

BOOL Fail(DWORD error)
{
    SetLastError(error);
    return FALSE;
}

BOOL FailFromErrno() { return Fail(Win32ErrorFromErrno(errno)); }

bool IsFolder(const char* path)
{
    struct stat info {};
    return stat(path, &info) == 0 && S_ISDIR(info.st_mode);
}

bool Exists(const char* path)
{
    struct stat info {};
    return lstat(path, &info) == 0;
}

// Copies the bytes into a new temporary file beside the target and renames
// it into place, so the target is never seen half-written.
DWORD CopyContents(const char* existing, const char* target)
{
    std::error_code error;
    const std::filesystem::path temporary = std::string(target) + ".copy" + std::to_string(getpid());
    std::filesystem::copy_file(existing, temporary, std::filesystem::copy_options::overwrite_existing, error);
    if (!error && rename(temporary.c_str(), target) != 0)
        error = std::error_code(errno, std::generic_category());
    if (error) {
        std::filesystem::remove(temporary);
        return Win32ErrorFromErrno(error.value());
    }
    return ERROR_SUCCESS;
}

} // namespace

DWORD GetFileAttributes(LPCSTR path)
{
    WIN32_FILE_ATTRIBUTE_DATA data{};
    if (!path) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return INVALID_FILE_ATTRIBUTES;
    }
    if (DWORD error = FileInfo::Read(path, data)) {
        SetLastError(error);
        return INVALID_FILE_ATTRIBUTES;
    }
    return data.dwFileAttributes;
}

BOOL GetFileAttributesEx(LPCSTR path, GET_FILEEX_INFO_LEVELS level, LPVOID information)
{
    if (!path || !information || level != GetFileExInfoStandard)
        return Fail(ERROR_INVALID_PARAMETER);
    if (DWORD error = FileInfo::Read(path, *static_cast<WIN32_FILE_ATTRIBUTE_DATA*>(information)))
        return Fail(error);
    return TRUE;
}

BOOL CreateDirectory(LPCSTR path, LPSECURITY_ATTRIBUTES)
{
    if (!path || !*path)
        return Fail(ERROR_PATH_NOT_FOUND);
    if (mkdir(path, 0777) == 0)
        return TRUE;
    return errno == ENOENT ? Fail(ERROR_PATH_NOT_FOUND) : FailFromErrno();
}

int SHCreateDirectoryEx(HWND, LPCSTR path, const SECURITY_ATTRIBUTES*)
{
    if (!path || !*path)
        return static_cast<int>(ERROR_PATH_NOT_FOUND);
    if (IsFolder(path))
        return static_cast<int>(ERROR_ALREADY_EXISTS);
    if (Exists(path))
        return static_cast<int>(ERROR_FILE_EXISTS);
    std::error_code error;
    std::filesystem::create_directories(path, error);
    return error ? static_cast<int>(Win32ErrorFromErrno(error.value())) : static_cast<int>(ERROR_SUCCESS);
}

BOOL RemoveDirectory(LPCSTR path)
{
    if (!path)
        return Fail(ERROR_INVALID_PARAMETER);
    if (rmdir(path) == 0)
        return TRUE;
    if (errno == ENOTDIR && Exists(path))
        return Fail(ERROR_DIRECTORY);
    return errno == EEXIST ? Fail(ERROR_DIR_NOT_EMPTY) : FailFromErrno();
}

BOOL DeleteFile(LPCSTR path)
{
    if (!path)
        return Fail(ERROR_INVALID_PARAMETER);
    if (IsFolder(path))
        return Fail(ERROR_ACCESS_DENIED);
    if (unlink(path) == 0)
        return TRUE;
    return errno == ENOTDIR ? Fail(ERROR_PATH_NOT_FOUND) : FailFromErrno();
}

BOOL CopyFile(LPCSTR existing, LPCSTR target, BOOL failIfExists)
{
    if (!existing || !target)
        return Fail(ERROR_INVALID_PARAMETER);
    if (IsFolder(existing) || IsFolder(target))
        return Fail(ERROR_ACCESS_DENIED);
    if (!Exists(existing))
        return Fail(ERROR_FILE_NOT_FOUND);
    if (failIfExists && Exists(target))
        return Fail(ERROR_FILE_EXISTS);
    if (DWORD error = CopyContents(existing, target))
        return Fail(error);
    return TRUE;
}

BOOL MoveFile(LPCSTR existing, LPCSTR target)
{
    if (!existing || !target)
        return Fail(ERROR_INVALID_PARAMETER);
    if (!Exists(existing))
        return Fail(ERROR_FILE_NOT_FOUND);
    if (renameat2(AT_FDCWD, existing, AT_FDCWD, target, RENAME_NOREPLACE) == 0)
        return TRUE;
    if (errno == EEXIST)
        return Fail(ERROR_ALREADY_EXISTS);
    // Across file systems a file is copied and the original removed.
    if (errno != EXDEV || IsFolder(existing))
        return FailFromErrno();
    if (Exists(target))
        return Fail(ERROR_ALREADY_EXISTS);
    if (DWORD error = CopyContents(existing, target))
        return Fail(error);
    unlink(existing);
    return TRUE;
}
