// The stand-in mail client run as a program on a fresh machine: the
// registration script enters the add-in, mailhost loads it on a default
// profile it makes, and stops it cleanly on SIGTERM.

#include "AddinTestFolder.h"

#include "testsupport/TempFolder.h"
#include "testsupport/TempRegistry.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>

#include <chrono>
#include <csignal>
#include <sstream>
#include <thread>

extern char** environ;

namespace {

const std::string kBin = POLLENTA_BIN_DIR;

// A program of the build run with its output in files of `folder`.
class CProgram {
public:
    CProgram(const std::vector<std::string>& args, const std::filesystem::path& folder)
        : m_out(folder / "stdout.txt"), m_err(folder / "stderr.txt")
    {
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_addopen(&actions, 1, m_out.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        posix_spawn_file_actions_addopen(&actions, 2, m_err.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        std::vector<char*> argv;
        for (const std::string& arg : args)
            argv.push_back(const_cast<char*>(arg.c_str()));
        argv.push_back(nullptr);
        m_started = posix_spawn(&m_pid, argv[0], &actions, nullptr, argv.data(), environ) == 0;
        posix_spawn_file_actions_destroy(&actions);
    }
    ~CProgram()
    {
        if (m_pid > 0 && !m_ended) {
            kill(m_pid, SIGKILL);
            waitpid(m_pid, nullptr, 0);
        }
    }

    bool Started() const { return m_started; }
    std::string Out() const { return AddinTestFolder::ReadFile(m_out); }
    std::string Err() const { return AddinTestFolder::ReadFile(m_err); }

    // Waits up to 30 seconds for `text` in the program's output.
    bool WaitForOutput(const std::string& text) const
    {
        for (int i = 0; i < 600; ++i) {
            if (Out().find(text) != std::string::npos)
                return true;
            std::this_thread::sleep_for(std::chrono::milliseconds(50));
        }
        return false;
    }
    // The exit status after `signal`; -1 when the program did not end.
    int Stop(int signal)
    {
        kill(m_pid, signal);
        int status = 0;
        for (int i = 0; i < 600; ++i) {
            if (waitpid(m_pid, &status, WNOHANG) == m_pid) {
                m_ended = true;
                return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(50));
        }
        return -1;
    }

private:
    std::filesystem::path m_out;
    std::filesystem::path m_err;
    pid_t m_pid = -1;
    bool m_started = false;
    bool m_ended = false;
};

int RunToEnd(const std::vector<std::string>& args, const std::filesystem::path& folder)
{
    CProgram program(args, folder);
    if (!program.Started())
        return -1;
    return program.Stop(0);
}

std::vector<std::string> LogTexts(const std::filesystem::path& logs)
{
    std::vector<std::string> texts;
    for (const auto& file : std::filesystem::directory_iterator(logs)) {
        std::istringstream lines(AddinTestFolder::ReadFile(file.path()));
        for (std::string line; std::getline(lines, line);) {
            if (!line.empty() && line.back() == '\r')
                line.pop_back();
            if (!line.empty() && line[0] != '#')
                texts.push_back(line.substr(line.rfind('\t') + 1));
        }
    }
    return texts;
}

class MailHostRunTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        setenv("XDG_DATA_HOME", (m_folder.Path() / "data").c_str(), 1);
        m_logs = m_folder.Path() / "logs";
        AddinTestFolder::SetText(HKEY_CURRENT_USER, "Software\\Velquin Ltd\\Pollenta", "LogFolderPath", m_logs);
    }
    void TearDown() override { unsetenv("XDG_DATA_HOME"); }

    pollenta::testsupport::TempFolder m_folder{"pollenta-mailhost"};
    pollenta::testsupport::TempRegistry m_registry{m_folder.Path() / "registry"};
    std::filesystem::path m_logs;
};

}  // namespace

TEST_F(MailHostRunTest, ARegisteredAddInStartsWithTheHostAndShutsDownOnSigterm)
{
    ASSERT_EQ(0, RunToEnd({"/bin/bash", std::string(POLLENTA_SOURCE_DIR) + "/scripts/register", kBin}, m_folder.Path()))
        << AddinTestFolder::ReadFile(m_folder.Path() / "stderr.txt");
    // An add-in that is entered but not installed is left out.
    AddinTestFolder::SetNumber("Software\\Microsoft\\Office\\Outlook\\Addins\\Nobody.AddIn", "LoadBehavior", 3);

    CProgram host({kBin + "/mailhost", "--headless"}, m_folder.Path());
    ASSERT_TRUE(host.Started());
    ASSERT_TRUE(host.WaitForOutput("running")) << host.Out() << host.Err();
    EXPECT_NE(std::string::npos, host.Out().find("add-in Kestrin.WEConnect connected"));
    EXPECT_NE(std::string::npos, host.Err().find("Nobody.AddIn"));
    EXPECT_TRUE(std::filesystem::exists(m_folder.Path() / "data/pollenta/profiles/Default/Personal Folders.store"));
    const std::vector<std::string> startUp = {"COM Add-In launch...", "New message processing process launch...",
                                              "All the new message processing proceses have been launched",
                                              "COM Add-In launch successfully completed"};
    EXPECT_EQ(startUp, LogTexts(m_logs));
    EXPECT_TRUE(AddinTestFolder::ValueNames("Software\\Velquin Ltd\\Pollenta\\Default\\Folders2").empty());

    EXPECT_EQ(0, host.Stop(SIGTERM)) << host.Err();
    std::vector<std::string> all = startUp;
    for (const char* text : {"COM Add-In shutdown...", "New message processing process shutdown...",
                             "All the new message processing proceses have been successfully shutdowned",
                             "COM Add-In shutdown successfully completed"})
        all.push_back(text);
    EXPECT_EQ(all, LogTexts(m_logs));
    EXPECT_EQ((std::vector<std::string>{"000000000"}),
              AddinTestFolder::ValueNames("Software\\Velquin Ltd\\Pollenta\\Default\\Folders2"));
    EXPECT_NE(std::string::npos, host.Out().find("add-in Kestrin.WEConnect disconnected"));
}

TEST_F(MailHostRunTest, MailIsDeliveredIntoANamedProfileWithoutARunningHost)
{
    ASSERT_EQ(
        0, RunToEnd({kBin + "/mailhost", "create-profile", "Work", "--address", "ann@example.org"}, m_folder.Path()));
    const std::filesystem::path mail = m_folder.Write("answer.eml", "From: bob@example.org\r\nTo: ann@example.org\r\n"
                                                                    "Subject: Answer\r\n\r\nkqprojectid=4097\r\n");
    const std::filesystem::path missing = m_folder.Path() / "missing.eml";
    struct Case {
        std::vector<std::string> extra;
        int exitCode;
    } cases[] = {
        {{mail.string()}, 0},
        {{mail.string(), "--folder", "\\\\Personal Folders\\Inbox"}, 0},
        {{mail.string(), "--folder", "\\\\Personal Folders\\No such folder"}, 1},
        {{missing.string()}, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.extra.back());
        std::vector<std::string> args = {kBin + "/mailhost", "--profile", "Work", "deliver"};
        args.insert(args.end(), c.extra.begin(), c.extra.end());
        EXPECT_EQ(c.exitCode, RunToEnd(args, m_folder.Path()));
    }
    EXPECT_EQ(2, RunToEnd({kBin + "/mailhost", "deliver"}, m_folder.Path()));
}
