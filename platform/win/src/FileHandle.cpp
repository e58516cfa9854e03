#include "win/File.h"

#include "ErrnoError.h"
#include "HandleTable.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// An open file; never signalled, closed with its handle.
class FileObject : public KernelObject {
public:
    explicit FileObject(int fd) : m_fd(fd) {}
    ~FileObject() override { close(m_fd); }
    bool IsSignalled() const override { return false; }
    int Descriptor() const { return m_fd; }

private:
    int m_fd;
};

std::shared_ptr<FileObject> FindFile(HANDLE handle)
{
    auto file = std::dynamic_pointer_cast<FileObject>(HandleTable::Find(handle));
    if (!file)
        SetLastError(ERROR_INVALID_HANDLE);
    return file;
}

int OpenFlags(DWORD access, DWORD disposition)
{
    int flags = O_CLOEXEC;
    if ((access & GENERIC_READ) && (access & GENERIC_WRITE))
        flags |= O_RDWR;
    else if (access & GENERIC_WRITE)
        flags |= O_WRONLY;
    else
        flags |= O_RDONLY;
    switch (disposition) {
    case CREATE_NEW:
        return flags | O_CREAT | O_EXCL;
    case CREATE_ALWAYS:
        return flags | O_CREAT | O_TRUNC;
    case OPEN_ALWAYS:
        return flags | O_CREAT;
    case TRUNCATE_EXISTING:
        return flags | O_TRUNC;
    default:
        return flags;
    }
}

} // namespace

HANDLE CreateFile(LPCSTR path, DWORD access, DWORD, LPSECURITY_ATTRIBUTES, DWORD disposition, DWORD, HANDLE)
{
    if (!path || disposition < CREATE_NEW || disposition > TRUNCATE_EXISTING) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return INVALID_HANDLE_VALUE;
    }
    struct stat before {};
    const bool existed = stat(path, &before) == 0;
    if (existed && S_ISDIR(before.st_mode)) {
        SetLastError(ERROR_ACCESS_DENIED);
        return INVALID_HANDLE_VALUE;
    }
    const int fd = open(path, OpenFlags(access, disposition), 0666);
    if (fd < 0) {
        DWORD error = Win32ErrorFromErrno(errno);
        if (errno == EEXIST)
            error = ERROR_FILE_EXISTS;
        else if (errno == ENOENT && disposition != OPEN_EXISTING && disposition != TRUNCATE_EXISTING)
            error = ERROR_PATH_NOT_FOUND;
        SetLastError(error);
        return INVALID_HANDLE_VALUE;
    }
    // Windows reports that an existing file was opened or replaced.
    SetLastError(existed && (disposition == CREATE_ALWAYS || disposition == OPEN_ALWAYS) ? ERROR_ALREADY_EXISTS
                                                                                        : ERROR_SUCCESS);
    return HandleTable::Add(std::make_shared<FileObject>(fd));
}

BOOL ReadFile(HANDLE file, LPVOID buffer, DWORD bytesToRead, LPDWORD bytesRead, LPVOID)
{
    auto object = FindFile(file);
    if (!object)
        return FALSE;
    DWORD done = 0;
    while (done < bytesToRead) {
        ssize_t got = read(object->Descriptor(), static_cast<char*>(buffer) + done, bytesToRead - done);
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0) {
            SetLastError(Win32ErrorFromErrno(errno));
            return FALSE;
        }
        if (got == 0)
            break;
        done += static_cast<DWORD>(got);
    }
    if (bytesRead)
        *bytesRead = done;
    return TRUE;
}

BOOL WriteFile(HANDLE file, LPCVOID buffer, DWORD bytesToWrite, LPDWORD bytesWritten, LPVOID)
{
    auto object = FindFile(file);
    if (!object)
        return FALSE;
    DWORD done = 0;
    while (done < bytesToWrite) {
        ssize_t put = write(object->Descriptor(), static_cast<const char*>(buffer) + done, bytesToWrite - done);
        if (put < 0 && errno == EINTR)
            continue;
        if (put <= 0) {
            if (bytesWritten)
                *bytesWritten = done;
            SetLastError(put < 0 ? Win32ErrorFromErrno(errno) : ERROR_CANTWRITE);
            return FALSE;
        }
        done += static_cast<DWORD>(put);
    }
    if (bytesWritten)
        *bytesWritten = done;
    return TRUE;
}

DWORD GetFileSize(HANDLE file, LPDWORD sizeHigh)
{
    auto object = FindFile(file);
    struct stat info {};
    if (!object || fstat(object->Descriptor(), &info) != 0)
        return INVALID_FILE_SIZE;
    if (sizeHigh)
        *sizeHigh = static_cast<DWORD>(static_cast<ULONGLONG>(info.st_size) >> 32);
    SetLastError(ERROR_SUCCESS);
    return static_cast<DWORD>(info.st_size);
}
