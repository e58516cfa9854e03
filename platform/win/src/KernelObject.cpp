#include "KernelObject.h"

#include <atomic>

namespace {

std::atomic<KernelObject::PendingSignals> g_pendingSignals{nullptr};

} // namespace

std::mutex& KernelObject::Lock()
{
    static std::mutex lock;
    return lock;
}

std::condition_variable& KernelObject::Changed()
{
    static std::condition_variable changed;
    return changed;
}

void KernelObject::SetPendingSignals(PendingSignals source) { g_pendingSignals = source; }

void KernelObject::TakeInPendingSignals()
{
    if (PendingSignals source = g_pendingSignals.load())
        source();
}
