#include "BlockPause.h"

#include "ui/MessageLoop.h"

#include <chrono>
#include <thread>

void PauseBetweenBlocks(DWORD seconds, CWEProgress& progress)
{
    using namespace std::chrono;
    // Counted in 64 bits: no number of seconds overflows the end time.
    const auto end = steady_clock::now() + duration<std::uint64_t>(seconds);
    while (steady_clock::now() < end && !progress.IsCancelled() && !IsQuitRequested()) {
        progress.PumpMessages();
        std::this_thread::sleep_for(milliseconds(20));
    }
}
