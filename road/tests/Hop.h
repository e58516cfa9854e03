#pragma once
// One hop of the road: runs it, says how long it took, and turns what went
// wrong into a failure that names the hop:
//
//     ASSERT_TRUE(RunHop("hop 2: projects", [&] { ... }));   // "hop 2: projects: <what failed>"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <exception>
#include <functional>
#include <string>

inline bool RunHop(const std::string& hop, const std::function<void()>& body)
{
    const auto start = std::chrono::steady_clock::now();
    try {
        body();
    } catch (const std::exception& failure) {
        ADD_FAILURE() << hop << ": " << failure.what();
        return false;
    }
    const auto elapsed =
        std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - start);
    std::printf("%s: %.1f s\n", hop.c_str(), elapsed.count() / 1000.0);
    return true;
}
