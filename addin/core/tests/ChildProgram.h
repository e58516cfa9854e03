#pragma once
// A program of the build run as a child process with its output in files of
// a test's folder; killed at the end if it still runs.
//
//     ChildProgram host({bin + "/mailhost", "--headless"}, folder);
//     ASSERT_TRUE(host.WaitForOutput("running")) << host.Err();
//     EXPECT_EQ(0, host.Stop(SIGTERM));

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>

#include <chrono>
#include <csignal>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <thread>
#include <vector>

extern char** environ;

class ChildProgram {
public:
    ChildProgram(const std::vector<std::string>& args, const std::filesystem::path& folder)
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
    ~ChildProgram()
    {
        if (m_pid > 0 && !m_ended) {
            kill(m_pid, SIGKILL);
            waitpid(m_pid, nullptr, 0);
        }
    }
    ChildProgram(const ChildProgram&) = delete;
    ChildProgram& operator=(const ChildProgram&) = delete;

    // The exit status of a program run to its end; -1 when it did not start
    // or did not end within 30 seconds.
    static int RunToEnd(const std::vector<std::string>& args, const std::filesystem::path& folder)
    {
        ChildProgram program(args, folder);
        return program.Started() ? program.Stop(0) : -1;
    }

    bool Started() const { return m_started; }
    std::string Out() const { return Read(m_out); }
    std::string Err() const { return Read(m_err); }

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
    // The exit status after `signal` (0 sends none), 128 + the signal that
    // ended it, or -1 when the program did not end within 30 seconds.
    int Stop(int signal)
    {
        if (signal != 0)
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
    static std::string Read(const std::filesystem::path& file)
    {
        std::ifstream stream(file, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(stream), std::istreambuf_iterator<char>());
    }

    std::filesystem::path m_out;
    std::filesystem::path m_err;
    pid_t m_pid = -1;
    bool m_started = false;
    bool m_ended = false;
};
