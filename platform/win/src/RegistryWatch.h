#pragma once
// Whether anything in a registry folder has changed since a reader last
// looked, answered from the kernel's change events (inotify) instead of a
// look at the file for every read. A change another process has finished
// before a read is always seen by that read: the kernel queues its event
// within the writing call. One watch serves the whole process.
//
//     std::optional<uint64_t> stamp = RegistryWatch::Instance().Stamp(folder);
//     if (stamp && stamp == seen) ... // unchanged: the tree in memory holds
//     seen = stamp;                   // then look at the file itself

#include <cstdint>
#include <map>
#include <mutex>
#include <optional>
#include <string>

class RegistryWatch {
public:
    static RegistryWatch& Instance();

    // A value that differs from every earlier one for the folder once
    // something in it has changed; nothing when the folder cannot be watched
    // (missing, no watches left, or a forked child, whose events would be
    // taken from its parent's queue), and the caller must look itself.
    std::optional<uint64_t> Stamp(const std::string& folder);

private:
    RegistryWatch();
    void Drain();
    void Forget(int watch);

    std::mutex m_mutex;
    int m_inotify = -1;
    uint64_t m_sequence = 0;
    std::map<std::string, int> m_watches;  // folder -> watch
    std::map<int, uint64_t> m_changed;     // watch -> sequence of its last change
};
