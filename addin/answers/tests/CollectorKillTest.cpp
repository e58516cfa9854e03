// The processor in a child process, killed with SIGKILL in the middle of a
// batch and started again: no answer is stored twice, and every answer is
// stored but at most the one in flight at the kill, which carries the
// processed mark.

#include "AnswerTest.h"

#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>

#include <set>

extern char** environ;

namespace {

class Collector {
public:
    explicit Collector(const std::string& folder)
    {
        const std::string program = std::string(POLLENTA_TEST_DIR) + "/answers_collector";
        char* argv[] = {const_cast<char*>(program.c_str()), const_cast<char*>(folder.c_str()), nullptr};
        EXPECT_EQ(0, posix_spawn(&m_pid, program.c_str(), nullptr, nullptr, argv, environ)) << program;
    }
    ~Collector()
    {
        if (m_pid > 0)
            Signal(SIGKILL);
    }
    // The exit status, or the signal that ended it.
    int Signal(int signal)
    {
        kill(m_pid, signal);
        int status = 0;
        waitpid(m_pid, &status, 0);
        m_pid = 0;
        return WIFEXITED(status) ? WEXITSTATUS(status) : -WTERMSIG(status);
    }

private:
    pid_t m_pid = 0;
};

class CollectorKillTest : public AnswerTest {};

}  // namespace

TEST_F(CollectorKillTest, AKillInTheMiddleOfABatchLosesAtMostTheAnswerInFlightAndStoresNoneTwice)
{
    const int total = 200;
    for (int i = 1; i <= total; ++i)
        world.Deliver(Answer("Answer " + std::to_string(i), {{"Seq", std::to_string(i)}, {"Name", "n" + std::to_string(i)}}));

    {
        Collector first(folder.Path().string());
        ASSERT_TRUE(world.WaitForRecords(total / 4));
        EXPECT_EQ(-SIGKILL, first.Signal(SIGKILL));
    }
    const long long atKill = world.Count();
    EXPECT_LT(atKill, total);
    {
        Collector second(folder.Path().string());
        ASSERT_TRUE(world.WaitForRecords(total - 1, 120));
        world.WaitForRecords(total, 3);
        EXPECT_EQ(0, second.Signal(SIGTERM));
    }

    const long long stored = world.Count();
    EXPECT_LE(total - 1, stored);
    EXPECT_EQ(std::to_string(stored), world.Scalar("SELECT COUNT(DISTINCT Seq) FROM Answers"));
    const auto messages = Inbox();
    ASSERT_EQ(static_cast<std::size_t>(total), messages.size());
    for (const auto& message : messages) {
        SCOPED_TRACE(message.subject);
        EXPECT_TRUE(message.processed);
    }
}
