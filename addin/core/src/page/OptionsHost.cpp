#include "page/IWEOptionsHost.h"

#include <atomic>

namespace {

std::atomic<IWEOptionsHost*> g_host{nullptr};

} // namespace

IWEOptionsHost* GetOptionsHost() { return g_host.load(); }

void SetOptionsHost(IWEOptionsHost* host) { g_host.store(host); }
