#pragma once
// Calls `dropped` on a thread of its own each time an .eml file is renamed
// into the drop folder or written there, so that mail is taken at once
// instead of at the spooler's next look. Names of other kinds (files being
// written, claimed files) are of no interest. The folder's own disappearance
// or a lost event also calls, since a look is then the safe answer; a
// watch whose folder went away watches no more.
//
//     std::unique_ptr<CDropWatch> watch = CDropWatch::Start(folder, [&] { Wake(); });
//     if (!watch || !watch->Watching()) ...  // keep looking now and then

#include <atomic>
#include <functional>
#include <memory>
#include <string>
#include <thread>

namespace pollenta::mapi {

class CDropWatch {
public:
    // Null when the folder cannot be watched (missing, or the system has no
    // watches left for this user).
    static std::unique_ptr<CDropWatch> Start(const std::string& folder, std::function<void()> dropped);
    // Returns once the thread has ended: no call runs after it.
    ~CDropWatch();
    CDropWatch(const CDropWatch&) = delete;
    CDropWatch& operator=(const CDropWatch&) = delete;

    bool Watching() const { return m_watching; }

private:
    CDropWatch(int inotify, int stop, std::function<void()> dropped);
    void Run();

    int m_inotify;
    int m_stop;  // an eventfd that ends the thread's wait
    std::function<void()> m_dropped;
    std::atomic<bool> m_watching = true;
    std::thread m_thread;
};

}  // namespace pollenta::mapi
