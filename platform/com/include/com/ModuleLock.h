#pragma once
// The count of live objects and server locks of one server module, which
// DllCanUnloadNow answers from. Each module has its own count: the variable
// is hidden, so every shared object that includes this header gets a copy.

#include "win/Errors.h"

#include <atomic>

namespace pollenta::com {

class ModuleLock {
public:
    static void Lock() { s_count.fetch_add(1, std::memory_order_relaxed); }
    static void Unlock() { s_count.fetch_sub(1, std::memory_order_acq_rel); }
    static LONG Count() { return s_count.load(std::memory_order_acquire); }
    // The answer for DllCanUnloadNow.
    static HRESULT CanUnloadNow() { return Count() == 0 ? S_OK : S_FALSE; }

private:
    [[gnu::visibility("hidden")]] static inline std::atomic<LONG> s_count{0};
};

}  // namespace pollenta::com
