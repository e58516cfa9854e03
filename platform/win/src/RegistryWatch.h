#pragma once
// Whether anything in a registry folder has changed since a reader last
// looked, answered from the kernel's change events (inotify) instead of a
// look at the files for every read. The events are taken in by CatchUp,
// which the points where a caller starts to look at a key call (opening or
// creating one, a read through a root handle, every change): a change
// finished before such a call is counted after it, since the kernel queues
// its event within the writing call. Between those points a reader only
// compares counters, with no call into the kernel. One watch serves the
// whole process.
//
//     const RegistryWatch::Folder* watched = RegistryWatch::Instance().Watch(folder);
//     uint64_t seen = watched->changes.load(); // ... then look at the files
//     if (watched->changes.load() == seen) ...  // unchanged: the tree in memory holds

#include <atomic>
#include <cstdint>
#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

class RegistryWatch {
public:
    // What the watch knows of one folder. It lives as long as the process,
    // so that readers may keep it; once the folder has left its path, gone
    // is set and the next reader asks for a watch of whatever folder has
    // the path then.
    struct Folder {
        // A value that differs from every earlier one of any folder once
        // something in the folder has changed.
        std::atomic<uint64_t> changes{0};
        std::atomic<bool> gone{false};
    };

    static RegistryWatch& Instance();

    // The folder's watch; null when it cannot be watched (missing, no
    // watches left, or a forked child, whose events would be taken from its
    // parent's queue), and the caller must look itself.
    const Folder* Watch(const std::string& folder);
    // Counts every event the kernel has queued so far.
    void CatchUp();

private:
    RegistryWatch();
    void Drain();
    void Forget(int watch);

    std::mutex m_mutex;
    int m_inotify = -1;
    std::atomic<uint64_t> m_sequence{0};
    std::map<std::string, int> m_watches;                 // folder -> watch
    std::map<int, std::unique_ptr<Folder>> m_folders;     // watch -> what is known of its folder
    std::vector<std::unique_ptr<Folder>> m_gone;          // kept for readers that still hold them
};
