#include "JobPool.h"

#include <gtest/gtest.h>

#include <atomic>
#include <string>
#include <vector>

using pollenta::mapi::CJobPool;

TEST(CJobPoolTest, EveryReadyJobRunsOnceAndIsDoneWhenWaitedFor)
{
    for (unsigned helpers : {0u, 1u, 3u}) {
        SCOPED_TRACE("helpers: " + std::to_string(helpers));
        constexpr std::size_t kJobs = 200;
        std::vector<std::atomic<int>> runs(kJobs);
        std::vector<int> results(kJobs, -1);
        {
            CJobPool pool(helpers, [&](std::size_t i) {
                ++runs[i];
                results[i] = static_cast<int>(i) * 2;
            });
            // Handed in one by one, as the spooler loads messages, and in
            // steps of several.
            for (std::size_t i = 1; i <= kJobs / 2; ++i) pool.Ready(i);
            pool.Ready(kJobs);
            pool.Ready(kJobs / 2);  // never takes back what is ready
            for (std::size_t i = 0; i < kJobs; ++i) {
                pool.WaitFor(i);
                EXPECT_TRUE(pool.IsDone(i)) << i;
                EXPECT_EQ(static_cast<int>(i) * 2, results[i]) << i;
            }
        }
        for (std::size_t i = 0; i < kJobs; ++i) EXPECT_EQ(1, runs[i].load()) << i;
    }
}

TEST(CJobPoolTest, JobsNotWaitedForStillRunBeforeThePoolIsGone)
{
    for (unsigned helpers : {0u, 2u}) {
        SCOPED_TRACE("helpers: " + std::to_string(helpers));
        std::atomic<int> runs{0};
        {
            CJobPool pool(helpers, [&](std::size_t) { ++runs; });
            pool.Ready(50);
            EXPECT_FALSE(pool.IsDone(50));
        }
        EXPECT_EQ(50, runs.load());
    }
}
