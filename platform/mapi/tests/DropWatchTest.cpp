#include "DropWatch.h"

#include "testsupport/TempFolder.h"

#include <gtest/gtest.h>

#include <chrono>
#include <condition_variable>
#include <filesystem>
#include <mutex>
#include <thread>

using pollenta::mapi::CDropWatch;
using pollenta::testsupport::TempFolder;

namespace {

// Counts the watch's calls; a test waits for the next one.
class Calls {
public:
    std::function<void()> Counter()
    {
        return [this] {
            std::lock_guard lock(m_mutex);
            ++m_count;
            m_changed.notify_all();
        };
    }
    // Whether a call came after the first `seen` ones, within a generous time.
    bool CameAfter(int seen)
    {
        std::unique_lock lock(m_mutex);
        return m_changed.wait_for(lock, std::chrono::seconds(20), [&] { return m_count > seen; });
    }
    int Count()
    {
        std::lock_guard lock(m_mutex);
        return m_count;
    }

private:
    std::mutex m_mutex;
    std::condition_variable m_changed;
    int m_count = 0;
};

}  // namespace

TEST(CDropWatchTest, MailRenamedOrWrittenIntoTheFolderCallsAtOnce)
{
    TempFolder folder("pollenta-dropwatch");
    Calls calls;
    std::unique_ptr<CDropWatch> watch = CDropWatch::Start(folder.Path().string(), calls.Counter());
    ASSERT_NE(nullptr, watch);

    // Written whole under another name, then renamed, as `mailhost deliver` does.
    folder.Write("a.eml.part", "Subject: A\r\n\r\nA\r\n");
    int seen = calls.Count();
    std::filesystem::rename(folder.Path() / "a.eml.part", folder.Path() / "a.eml");
    EXPECT_TRUE(calls.CameAfter(seen)) << "renamed into place";

    // Written in place by a program that knows no better.
    seen = calls.Count();
    folder.Write("b.eml", "Subject: B\r\n\r\nB\r\n");
    EXPECT_TRUE(calls.CameAfter(seen)) << "written in place";
    EXPECT_TRUE(watch->Watching());
}

TEST(CDropWatchTest, FolderThatGoesAwayEndsTheWatchWithALastCall)
{
    TempFolder folder("pollenta-dropwatch");
    const std::filesystem::path drop = folder.Path() / "drop";
    std::filesystem::create_directory(drop);
    Calls calls;
    std::unique_ptr<CDropWatch> watch = CDropWatch::Start(drop.string(), calls.Counter());
    ASSERT_NE(nullptr, watch);
    std::filesystem::remove(drop);
    EXPECT_TRUE(calls.CameAfter(0));
    for (int i = 0; watch->Watching() && i < 2000; ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    EXPECT_FALSE(watch->Watching());
}

TEST(CDropWatchTest, MissingFolderCannotBeWatched)
{
    TempFolder folder("pollenta-dropwatch");
    Calls calls;
    EXPECT_EQ(nullptr, CDropWatch::Start((folder.Path() / "missing").string(), calls.Counter()));
    EXPECT_EQ(nullptr, CDropWatch::Start(folder.Write("file.eml", "x").string(), calls.Counter()));
}
