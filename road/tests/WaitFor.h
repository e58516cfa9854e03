#pragma once
// Polls until `done` holds, for up to `seconds`; whether it came to hold.

#include <chrono>
#include <functional>
#include <thread>

inline bool WaitFor(const std::function<bool()>& done, int seconds = 60)
{
    const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(seconds);
    while (!done()) {
        if (std::chrono::steady_clock::now() >= end)
            return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
    }
    return true;
}
