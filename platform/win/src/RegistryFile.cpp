#include "RegistryFile.h"

#include "RegistryText.h"
#include "RegistryWatch.h"
#include "win/Errors.h"

#include <algorithm>
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

using FileIdentity = RegistryJournal::FileIdentity;

// A journal this long (or as long as half the file, when that is more) is
// folded into the file, so that reading it never costs much more than
// reading the file.
constexpr size_t kFoldAtLeast = 64 * 1024;

bool ReadAll(int fd, std::string& text, off_t from = 0)
{
    char buffer[65536];
    for (off_t at = from;;) {
        ssize_t got = pread(fd, buffer, sizeof buffer, at);
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0)
            return false;
        if (got == 0)
            return true;
        text.append(buffer, static_cast<size_t>(got));
        at += got;
    }
}

bool WriteAll(int fd, std::string_view text, off_t at)
{
    size_t done = 0;
    while (done < text.size()) {
        ssize_t put = pwrite(fd, text.data() + done, text.size() - done, at + static_cast<off_t>(done));
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

void SyncFolder(const std::string& folder)
{
    if (int dir = open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC); dir >= 0) {
        fsync(dir);
        close(dir);
    }
}

// Whether a file is there, and which; an error other than its absence is
// a read error.
bool IdentityOf(const std::string& path, FileIdentity& identity)
{
    struct stat status {};
    if (stat(path.c_str(), &status) != 0) {
        identity = {};
        return errno == ENOENT;
    }
    identity = FileIdentity::Of(status);
    return true;
}

// Each writer builds a whole file in a file of its own, named for its
// process, and renames it into place.
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

// Writes text as the whole of path, durably, by way of a temporary file.
bool ReplaceDurably(const std::string& path, std::string_view text)
{
    RemoveFilesOfDeadWriters(path);
    const std::string temporary = TemporaryPath(path, getpid());
    int fd = open(temporary.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
    if (fd < 0)
        return false;
    bool written = WriteAll(fd, text, 0) && fsync(fd) == 0;
    written = close(fd) == 0 && written;
    if (!written || rename(temporary.c_str(), path.c_str()) != 0) {
        unlink(temporary.c_str());
        return false;
    }
    SyncFolder(FolderOf(path));
    return true;
}

// The lock lives in a file of its own: the data file is replaced when it is
// written whole, so a lock on it would not be seen by the next writer.
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

void ReportDamage(const std::string& path, const std::string& what)
{
    std::fprintf(stderr, "pollenta: registry file %s is damaged %s\n", path.c_str(), what.c_str());
}

// The files whose changes wait in the open group of this thread.
struct ThreadGroup {
    int depth = 0;
    std::vector<RegistryFile*> files;
};
thread_local ThreadGroup t_group;

} // namespace

RegistryFile::RegistryFile(std::string path, std::string rootName)
    : m_path(std::move(path)), m_journalPath(m_path + ".journal"), m_rootName(std::move(rootName)),
      m_writeCount(m_path + ".lock")
{
}

RegistryFile::~RegistryFile()
{
    std::lock_guard guard(m_mutex);
    if (m_writers < 0)
        return;
    // Whoever else still writes holds the file shared; only the last one
    // gets it alone. The folder's watch may be gone by now: load directly.
    close(m_writers);
    const int alone = open((m_path + ".writers").c_str(), O_RDWR | O_CLOEXEC);
    if (alone < 0)
        return;
    if (flock(alone, LOCK_EX | LOCK_NB) == 0 && m_uncommitted.empty()) {
        ExclusiveLock lock(m_path + ".lock");
        LONG error = ERROR_SUCCESS;
        if (lock.Held() && LoadFromDisk(true, error) == Load::Done && m_journalInode != 0)
            WriteWhole();
    }
    close(alone);
}

std::string RegistryFile::Folder()
{
    std::string folder;
    Folder(folder);
    return folder;
}

// Into a string the caller keeps, so that asking on every read allocates
// nothing.
void RegistryFile::Folder(std::string& folder)
{
    if (const char* registry = std::getenv("POLLENTA_REGISTRY"); registry && *registry) {
        folder.assign(registry);
    } else if (const char* config = std::getenv("XDG_CONFIG_HOME"); config && *config) {
        folder.assign(config).append("/pollenta/registry");
    } else {
        const char* home = std::getenv("HOME");
        folder.assign(home && *home ? home : ".").append("/.config/pollenta/registry");
    }
}

std::optional<RegistryFile::Stamp> RegistryFile::CurrentStamp()
{
    if (!m_watch || m_watch->gone.load(std::memory_order_acquire)) {
        m_watch = RegistryWatch::Instance().Watch(FolderOf(m_path));
        // A folder made anew has a lock file of its own.
        m_writeCount.Recheck();
    }
    if (!m_watch)
        return std::nullopt;
    Stamp stamp;
    stamp.folder = m_watch->changes.load(std::memory_order_acquire);
    if (m_stamp && stamp.folder != m_stamp->folder)
        m_writeCount.Recheck(); // the lock file may have been replaced meanwhile
    const std::optional<uint64_t> writes = m_writeCount.Read();
    if (!writes)
        return std::nullopt;
    stamp.writes = *writes;
    return stamp;
}

// After a change of ours was made durable: the tree holds it, and the count
// it moved on to needs no look at the files. The caller holds the lock and
// had refreshed, so no other writer counted in between.
void RegistryFile::Counted(std::optional<uint64_t> writes)
{
    if (m_stamp && writes && *writes == m_stamp->writes + 1)
        m_stamp->writes = *writes;
    else
        m_stamp.reset();
}

LONG RegistryFile::Refresh()
{
    // Taken before the files are looked at, so that a change made meanwhile
    // is seen at the next read.
    const std::optional<Stamp> stamp = CurrentStamp();
    if (stamp && m_root && stamp == m_stamp)
        return ERROR_SUCCESS;
    m_stamp = stamp;
    m_lastKey.reset();
    // A writer may write the file whole between two of our looks; each
    // such moment sends us round again, and writers are rare.
    LONG error = ERROR_SUCCESS;
    bool full = !m_root;
    for (int attempt = 0; attempt < 100; ++attempt) {
        switch (LoadFromDisk(full, error)) {
        case Load::Done:
            return ERROR_SUCCESS;
        case Load::Failed:
            m_root.reset();
            m_stamp.reset();
            return error;
        case Load::Again:
            full = true;
            break;
        }
    }
    m_root.reset();
    return static_cast<LONG>(ERROR_CANTREAD);
}

// Brings m_root up to the file and journal on disk: from the journal's new
// records alone while the file is the one m_root holds, else from both.
// Changes of open groups are laid over again whenever something else came.
RegistryFile::Load RegistryFile::LoadFromDisk(bool full, LONG& error)
{
    FileIdentity base;
    if (!IdentityOf(m_path, base)) {
        error = static_cast<LONG>(ERROR_CANTREAD);
        return Load::Failed;
    }
    full = full || !m_root || base != m_base;
    std::unique_ptr<RegistryNode> tree;
    if (full) {
        if (!base.present) {
            tree = std::make_unique<RegistryNode>(m_rootName);
        } else {
            int fd = open(m_path.c_str(), O_RDONLY | O_CLOEXEC);
            if (fd < 0)
                return errno == ENOENT ? Load::Again : (error = static_cast<LONG>(ERROR_CANTREAD), Load::Failed);
            std::string text;
            struct stat status {};
            bool complete = ReadAll(fd, text) && fstat(fd, &status) == 0;
            close(fd);
            if (!complete) {
                error = static_cast<LONG>(ERROR_CANTREAD);
                return Load::Failed;
            }
            if (FileIdentity::Of(status) != base)
                return Load::Again;
            RegistryText::ParseResult parsed = RegistryText::Parse(text, m_rootName);
            if (!parsed.root) {
                ReportDamage(m_path, "at line " + std::to_string(parsed.errorLine) + ": " + parsed.error);
                error = static_cast<LONG>(ERROR_REGISTRY_CORRUPT);
                return Load::Failed;
            }
            tree = std::move(parsed.root);
        }
    }
    RegistryNode& target = full ? *tree : *m_root;
    bool foreign = false;
    const uint64_t journalInode = m_journalInode;
    const size_t journalEnd = m_journalEnd;
    if (full) {
        m_journalInode = 0;
        m_journalEnd = 0;
    }
    if (const Load journal = ReadJournal(base, full, target, foreign, error); journal != Load::Done) {
        m_journalInode = journalInode;
        m_journalEnd = journalEnd;
        if (!full)
            m_root.reset(); // some records may be in it already
        return journal;
    }
    // The file may have been written whole while the journal was read; the
    // journal then read belongs to an older file.
    FileIdentity after;
    if (!IdentityOf(m_path, after) || after != base) {
        if (!full)
            m_root.reset();
        return Load::Again;
    }
    if (full) {
        m_root = std::move(tree);
        m_base = base;
    }
    if ((full || foreign) && !m_uncommitted.empty()) {
        if (!full)
            return Load::Again; // laid over a tree read whole, in the journal's order
        for (const auto& [owner, change] : m_uncommitted)
            change.ApplyTo(*m_root);
    }
    return Load::Done;
}

RegistryFile::Load RegistryFile::ReadJournal(const FileIdentity& base, bool full, RegistryNode& tree, bool& foreign,
                                             LONG& error)
{
    int fd = open(m_journalPath.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        error = errno == ENOENT ? ERROR_SUCCESS : static_cast<LONG>(ERROR_CANTREAD);
        return error ? Load::Failed : Load::Done;
    }
    struct stat status {};
    std::string text;
    const bool opened = fstat(fd, &status) == 0;
    const bool same = opened && !full && m_journalInode != 0 && static_cast<uint64_t>(status.st_ino) == m_journalInode;
    const size_t from = same ? m_journalEnd : 0;
    const bool complete = opened && ReadAll(fd, text, static_cast<off_t>(from));
    close(fd);
    if (!complete) {
        error = static_cast<LONG>(ERROR_CANTREAD);
        return Load::Failed;
    }
    size_t start = 0;
    if (!same) {
        const std::optional<FileIdentity> continues = RegistryJournal::ReadHeader(text, start);
        // Left from before the file was last written whole: already in it.
        if (!continues || *continues != base)
            return Load::Done;
        // Records of another journal are in the tree: read it all again.
        if (!full && m_journalInode != 0)
            return Load::Again;
    }
    RegistryJournal::Records records = RegistryJournal::Read(text, start);
    if (records.damaged) {
        ReportDamage(m_journalPath, "at byte " + std::to_string(from) + " + " + records.error);
        error = static_cast<LONG>(ERROR_REGISTRY_CORRUPT);
        return Load::Failed;
    }
    for (const RegistryChanges& changes : records.changes)
        for (const RegistryChange& change : changes)
            change.ApplyTo(tree);
    foreign = !records.changes.empty();
    m_journalInode = static_cast<uint64_t>(status.st_ino);
    m_journalEnd = from + records.end;
    return Load::Done;
}

LONG RegistryFile::Read(const std::function<void(const RegistryNode& root)>& read)
{
    std::lock_guard guard(m_mutex);
    if (LONG error = Refresh())
        return error;
    read(*m_root);
    return ERROR_SUCCESS;
}

LONG RegistryFile::ReadKey(const Path& path, const std::function<void(const RegistryNode* key)>& read)
{
    std::lock_guard guard(m_mutex);
    if (LONG error = Refresh())
        return error;
    if (!m_lastKey || m_lastKey->path != path) {
        const RegistryNode* node = m_root.get();
        for (auto name = path.begin(); node && name != path.end(); ++name)
            node = node->FindSubkey(*name);
        m_lastKey = LastKey{path, node};
    }
    read(m_lastKey->node);
    return ERROR_SUCCESS;
}

LONG RegistryFile::Change(const Plan& plan)
{
    std::lock_guard guard(m_mutex);
    // Whatever the plan does to the tree, the key last found may go with it.
    m_lastKey.reset();
    const bool grouped = t_group.depth > 0;
    const std::string folder = FolderOf(m_path);
    if (!MakeFolders(folder))
        return static_cast<LONG>(ERROR_CANTWRITE);
    std::optional<ExclusiveLock> lock;
    if (!grouped) {
        lock.emplace(m_path + ".lock");
        if (!lock->Held())
            return static_cast<LONG>(ERROR_CANTWRITE);
    }
    // Edits by other programs are taken in before anything is laid over them.
    RegistryWatch::Instance().CatchUp();
    if (LONG error = Refresh())
        return error;

    RegistryChanges planned;
    if (LONG error = plan(*m_root, planned))
        return error;
    RegistryChanges changes;
    for (RegistryChange& change : planned)
        if (change.ChangesAnything(*m_root))
            changes.push_back(std::move(change));
    if (changes.empty())
        return ERROR_SUCCESS;
    if (grouped) {
        for (RegistryChange& change : changes) {
            change.ApplyTo(*m_root);
            m_uncommitted.emplace_back(std::this_thread::get_id(), std::move(change));
        }
        if (std::find(t_group.files.begin(), t_group.files.end(), this) == t_group.files.end())
            t_group.files.push_back(this);
        return ERROR_SUCCESS;
    }
    if (LONG error = Append(changes))
        return error;
    for (const RegistryChange& change : changes)
        change.ApplyTo(*m_root);
    if (m_journalEnd > FoldThreshold() && m_uncommitted.empty())
        WriteWhole(); // the change is durable already; a failure here only postpones the fold
    return ERROR_SUCCESS;
}

size_t RegistryFile::FoldThreshold() const
{
    return std::max<size_t>(kFoldAtLeast, static_cast<size_t>(m_base.size / 2));
}

void RegistryFile::NoteWriter()
{
    if (m_writers >= 0)
        return;
    m_writers = open((m_path + ".writers").c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
    if (m_writers >= 0)
        flock(m_writers, LOCK_SH);
}

// Appends one record durably, beginning a journal for the file first when
// there is none for it; a record cut short by a writer that died is cut
// off. The caller holds the lock and has refreshed.
LONG RegistryFile::Append(const RegistryChanges& changes)
{
    NoteWriter();
    if (m_journalInode == 0) {
        const std::string header = RegistryJournal::Header(m_base);
        if (!ReplaceDurably(m_journalPath, header))
            return static_cast<LONG>(ERROR_CANTWRITE);
        struct stat status {};
        if (stat(m_journalPath.c_str(), &status) != 0)
            return static_cast<LONG>(ERROR_CANTWRITE);
        m_journalInode = static_cast<uint64_t>(status.st_ino);
        m_journalEnd = header.size();
    }
    int fd = open(m_journalPath.c_str(), O_WRONLY | O_CLOEXEC);
    if (fd < 0)
        return static_cast<LONG>(ERROR_CANTWRITE);
    struct stat status {};
    bool written = fstat(fd, &status) == 0 && static_cast<uint64_t>(status.st_ino) == m_journalInode;
    const off_t end = static_cast<off_t>(m_journalEnd);
    if (written && status.st_size != end)
        written = ftruncate(fd, end) == 0;
    const std::string record = RegistryJournal::Record(changes);
    written = written && WriteAll(fd, record, end) && fdatasync(fd) == 0;
    if (!written && ftruncate(fd, end) != 0) {
        // Left as it is, the cut record is the journal's end and is dropped.
    }
    close(fd);
    if (!written)
        return static_cast<LONG>(ERROR_CANTWRITE);
    m_journalEnd += record.size();
    Counted(m_writeCount.Add());
    return ERROR_SUCCESS;
}

// Writes the tree whole as the file and ends the journal, whose records it
// now holds. The caller holds the lock; changes of open groups must not be
// in the tree.
LONG RegistryFile::WriteWhole()
{
    if (!ReplaceDurably(m_path, RegistryText::Write(*m_root, m_rootName)))
        return static_cast<LONG>(ERROR_CANTWRITE);
    // The journal now names a file that is gone; removing it only tidies.
    unlink(m_journalPath.c_str());
    SyncFolder(FolderOf(m_path));
    FileIdentity base;
    IdentityOf(m_path, base);
    m_base = base;
    m_journalInode = 0;
    m_journalEnd = 0;
    Counted(m_writeCount.Add());
    return ERROR_SUCCESS;
}

LONG RegistryFile::Fold()
{
    std::lock_guard guard(m_mutex);
    ExclusiveLock lock(m_path + ".lock");
    if (!lock.Held())
        return static_cast<LONG>(ERROR_CANTWRITE);
    RegistryWatch::Instance().CatchUp();
    if (LONG error = Refresh())
        return error;
    // Changes of an open group are not the registry's yet: fold later.
    if (m_journalInode == 0 || !m_uncommitted.empty())
        return ERROR_SUCCESS;
    return WriteWhole();
}

void RegistryFile::BeginGroup() { ++t_group.depth; }

LONG RegistryFile::EndGroup()
{
    if (t_group.depth == 0 || --t_group.depth > 0)
        return ERROR_SUCCESS;
    LONG first = ERROR_SUCCESS;
    for (RegistryFile* file : std::exchange(t_group.files, {}))
        if (LONG error = file->CommitGroupOf(std::this_thread::get_id()); error && !first)
            first = error;
    return first;
}

LONG RegistryFile::CommitGroupOf(std::thread::id owner)
{
    std::lock_guard guard(m_mutex);
    m_lastKey.reset();
    RegistryChanges changes;
    for (const auto& [thread, change] : m_uncommitted)
        if (thread == owner)
            changes.push_back(change);
    if (changes.empty())
        return ERROR_SUCCESS;
    // Refreshing lays the group's changes over whatever others wrote
    // meanwhile, in the order the journal will have them.
    ExclusiveLock lock(m_path + ".lock");
    RegistryWatch::Instance().CatchUp();
    LONG error = lock.Held() ? Refresh() : static_cast<LONG>(ERROR_CANTWRITE);
    if (!error)
        error = Append(changes);
    std::erase_if(m_uncommitted, [&](const auto& entry) { return entry.first == owner; });
    if (error) {
        // This process saw changes that never reached the disk: read it again.
        m_root.reset();
        return error;
    }
    if (m_journalEnd > FoldThreshold() && m_uncommitted.empty())
        WriteWhole();
    return ERROR_SUCCESS;
}
