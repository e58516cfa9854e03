#pragma once
// One registry root kept in a file that several processes share, with a
// journal beside it. A change is one record appended to the journal and
// made durable there, so its cost does not grow with the file; the file
// itself is written whole (to a temporary file, then renamed over it) only
// when the journal has grown past a threshold, when RegFlushKey asks, and
// when the last process that wrote exits. Readers take the file and then
// the journal's whole records, never half of a change. Changes hold an
// exclusive lock on a companion lock file, which also counts them; the file
// and journal are looked at again only when that count or the folder's
// watch says something has changed.

#include "RegistryChange.h"
#include "RegistryJournal.h"
#include "RegistryWatch.h"
#include "RegistryWriteCount.h"

#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <utility>
#include <vector>

class RegistryFile {
public:
    RegistryFile(std::string path, std::string rootName);
    // The last process that wrote folds the journal in as it exits, so the
    // file alone stays the readable text of the registry.
    ~RegistryFile();
    RegistryFile(const RegistryFile&) = delete;
    RegistryFile& operator=(const RegistryFile&) = delete;

    // Calls read with the current tree; returns ERROR_SUCCESS or the error
    // that kept the file from being read (a damaged file among them).
    LONG Read(const std::function<void(const RegistryNode& root)>& read);
    // As Read, with the key at path in the current tree (null when there is
    // none); a key read again and again is found without walking its path.
    using Path = std::vector<std::string>;
    LONG ReadKey(const Path& path, const std::function<void(const RegistryNode* key)>& read);

    // Calls plan with the current tree; the changes it adds are made
    // durable as one record and applied. Changes that would change nothing
    // are dropped, and with none left nothing is written. On a thread with
    // an open group the changes are applied at once and written when the
    // group ends. A damaged file is never written.
    using Plan = std::function<LONG(const RegistryNode& root, RegistryChanges& changes)>;
    LONG Change(const Plan& plan);

    // Writes the file whole with every change of the journal in it.
    LONG Fold();

    // Groups of changes per thread: while a thread's group is open, its
    // changes of every file wait in memory; EndGroup writes each file's as
    // one record. Groups nest; the outermost one's end writes.
    static void BeginGroup();
    static LONG EndGroup();

    // The folder of the registry files for this process right now.
    static std::string Folder();
    static void Folder(std::string& folder);

private:
    enum class Load { Done, Again, Failed };
    // What a reader compares to learn whether the files may have changed.
    struct Stamp {
        uint64_t folder = 0; // the folder watch's count
        uint64_t writes = 0; // the lock file's count of our writers' changes
        bool operator==(const Stamp&) const = default;
    };
    std::optional<Stamp> CurrentStamp();
    void Counted(std::optional<uint64_t> writes);
    LONG Refresh();
    Load LoadFromDisk(bool full, LONG& error);
    Load ReadJournal(const RegistryJournal::FileIdentity& base, bool full, RegistryNode& tree, bool& foreign, LONG& error);
    LONG Append(const RegistryChanges& changes);
    LONG WriteWhole();
    LONG CommitGroupOf(std::thread::id owner);
    void NoteWriter();
    size_t FoldThreshold() const;

    std::string m_path;
    std::string m_journalPath;
    std::string m_rootName;
    std::mutex m_mutex;
    std::unique_ptr<RegistryNode> m_root;
    RegistryJournal::FileIdentity m_base; // the file m_root was read from
    uint64_t m_journalInode = 0;          // 0: no journal of m_base applied
    size_t m_journalEnd = 0;              // just after its last record applied
    const RegistryWatch::Folder* m_watch = nullptr;
    RegistryWriteCount m_writeCount;
    std::optional<Stamp> m_stamp;         // as it was when the files were last looked at
    int m_writers = -1;                   // held shared while this process may have changes in the journal
    // The key last found by ReadKey, while the tree is unchanged.
    struct LastKey {
        Path path;
        const RegistryNode* node = nullptr;
    };
    std::optional<LastKey> m_lastKey;
    // Changes of open groups, applied to m_root but not yet written, with
    // the thread whose group holds them.
    std::vector<std::pair<std::thread::id, RegistryChange>> m_uncommitted;
};
