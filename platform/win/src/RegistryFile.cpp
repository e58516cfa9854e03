#include "RegistryFile.h"

#include "RegistryText.h"
#include "RegistryWatch.h"
#include "win/Errors.h"

#include <cerrno>
#include <charconv>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <dirent.h>
#include <fcntl.h>
#include <string_view>
#include <sys/file.h>
#include <unistd.h>

namespace {

bool SameFile(const struct stat& a, const struct stat& b)
{
    return a.st_dev == b.st_dev && a.st_ino == b.st_ino && a.st_size == b.st_size &&
           a.st_mtim.tv_sec == b.st_mtim.tv_sec && a.st_mtim.tv_nsec == b.st_mtim.tv_nsec;
}

bool ReadAll(int fd, std::string& text)
{
    char buffer[65536];
    for (;;) {
        ssize_t got = read(fd, buffer, sizeof buffer);
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0)
            return false;
        if (got == 0)
            return true;
        text.append(buffer, static_cast<size_t>(got));
    }
}

bool WriteAll(int fd, const std::string& text)
{
    size_t done = 0;
    while (done < text.size()) {
        ssize_t put = write(fd, text.data() + done, text.size() - done);
        if (put < 0 && errno == EINTR)
            continue;
        if (put <= 0)
            return false;
        done += static_cast<size_t>(put);
    }
    return true;
}

bool MakeFolders(const std::string& folder)
{
    for (size_t slash = folder.find('/', 1);; slash = folder.find('/', slash + 1)) {
        std::string part = folder.substr(0, slash);
        if (mkdir(part.c_str(), 0700) != 0 && errno != EEXIST)
            return false;
        if (slash == std::string::npos)
            return true;
    }
}

std::string FolderOf(const std::string& path) { return path.substr(0, path.rfind('/')); }

// Each writer builds the new content in a file of its own, named for its
// process, and renames it over the data file.
constexpr std::string_view kTemporaryMark = ".tmp";

std::string TemporaryPath(const std::string& path, pid_t writer)
{
    return path + std::string(kTemporaryMark) + std::to_string(writer);
}

bool IsDeadProcess(std::string_view digits)
{
    pid_t pid = 0;
    const char* end = digits.data() + digits.size();
    auto [stop, error] = std::from_chars(digits.data(), end, pid);
    if (error != std::errc() || stop != end || pid <= 0)
        return false;
    return kill(pid, 0) != 0 && errno == ESRCH;
}

// A writer killed between creating its temporary file and the rename
// leaves the file behind. The caller holds the root's lock, so no live
// writer of this root is between those steps, and a file named for a
// process that still exists is kept all the same.
void RemoveFilesOfDeadWriters(const std::string& path)
{
    const std::string folder = FolderOf(path);
    const std::string prefix = path.substr(folder.size() + 1) + std::string(kTemporaryMark);
    DIR* dir = opendir(folder.c_str());
    if (!dir)
        return;
    while (const dirent* entry = readdir(dir)) {
        const std::string_view name = entry->d_name;
        if (name.starts_with(prefix) && IsDeadProcess(name.substr(prefix.size())))
            unlinkat(dirfd(dir), entry->d_name, 0);
    }
    closedir(dir);
}

// The lock lives in a file of its own: the data file is replaced by each
// change, so a lock on it would not be seen by the next writer.
class ExclusiveLock {
public:
    explicit ExclusiveLock(const std::string& path) : m_fd(open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600))
    {
        if (m_fd >= 0) {
            while (flock(m_fd, LOCK_EX) != 0 && errno == EINTR) {
            }
        }
    }
    ~ExclusiveLock()
    {
        if (m_fd >= 0)
            close(m_fd);
    }
    bool Held() const { return m_fd >= 0; }

private:
    int m_fd;
};

} // namespace

RegistryFile::RegistryFile(std::string path, std::string rootName)
    : m_path(std::move(path)), m_rootName(std::move(rootName))
{
}

std::string RegistryFile::Folder()
{
    if (const char* folder = std::getenv("POLLENTA_REGISTRY"); folder && *folder)
        return folder;
    if (const char* config = std::getenv("XDG_CONFIG_HOME"); config && *config)
        return std::string(config) + "/pollenta/registry";
    const char* home = std::getenv("HOME");
    return std::string(home && *home ? home : ".") + "/.config/pollenta/registry";
}

LONG RegistryFile::Refresh()
{
    // Taken before the file is looked at, so that a change made meanwhile
    // is seen at the next read.
    const std::optional<uint64_t> stamp = RegistryWatch::Instance().Stamp(FolderOf(m_path));
    if (stamp && m_root && stamp == m_stamp)
        return ERROR_SUCCESS;
    m_stamp = stamp;
    struct stat now {};
    if (stat(m_path.c_str(), &now) != 0) {
        if (errno != ENOENT)
            return static_cast<LONG>(ERROR_CANTREAD);
        if (m_present || !m_root)
            m_root = std::make_unique<RegistryNode>(m_rootName);
        m_present = false;
        return ERROR_SUCCESS;
    }
    if (m_root && m_present && SameFile(now, m_seen))
        return ERROR_SUCCESS;

    int fd = open(m_path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return static_cast<LONG>(ERROR_CANTREAD);
    std::string text;
    bool complete = ReadAll(fd, text) && fstat(fd, &now) == 0;
    close(fd);
    if (!complete)
        return static_cast<LONG>(ERROR_CANTREAD);

    RegistryText::ParseResult parsed = RegistryText::Parse(text, m_rootName);
    if (!parsed.root) {
        m_root.reset();
        std::fprintf(stderr, "pollenta: registry file %s is damaged at line %zu: %s\n", m_path.c_str(),
                     parsed.errorLine, parsed.error.c_str());
        return static_cast<LONG>(ERROR_REGISTRY_CORRUPT);
    }
    m_root = std::move(parsed.root);
    m_text = std::move(text);
    m_seen = now;
    m_present = true;
    return ERROR_SUCCESS;
}

LONG RegistryFile::Read(const std::function<void(const RegistryNode& root)>& read)
{
    std::lock_guard guard(m_mutex);
    if (LONG error = Refresh())
        return error;
    read(*m_root);
    return ERROR_SUCCESS;
}

LONG RegistryFile::Change(const std::function<LONG(RegistryNode& root)>& change)
{
    std::lock_guard guard(m_mutex);
    const std::string folder = FolderOf(m_path);
    if (!MakeFolders(folder))
        return static_cast<LONG>(ERROR_CANTWRITE);
    ExclusiveLock lock(m_path + ".lock");
    if (!lock.Held())
        return static_cast<LONG>(ERROR_CANTWRITE);
    if (LONG error = Refresh())
        return error;

    auto changed = std::make_unique<RegistryNode>(*m_root);
    if (LONG error = change(*changed))
        return error;

    std::string text = RegistryText::Write(*changed, m_rootName);
    // The file already holds these very bytes, made durable by whoever wrote
    // them: writing them again would cost two flushes to the disk for nothing.
    if (m_present && text == m_text)
        return ERROR_SUCCESS;
    RemoveFilesOfDeadWriters(m_path);
    const std::string temporary = TemporaryPath(m_path, getpid());
    int fd = open(temporary.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
    if (fd < 0)
        return static_cast<LONG>(ERROR_CANTWRITE);
    bool written = WriteAll(fd, text) && fsync(fd) == 0;
    written = close(fd) == 0 && written;
    if (!written || rename(temporary.c_str(), m_path.c_str()) != 0) {
        unlink(temporary.c_str());
        return static_cast<LONG>(ERROR_CANTWRITE);
    }
    if (int dir = open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC); dir >= 0) {
        fsync(dir);
        close(dir);
    }
    m_root = std::move(changed);
    m_text = std::move(text);
    m_present = stat(m_path.c_str(), &m_seen) == 0;
    return ERROR_SUCCESS;
}
