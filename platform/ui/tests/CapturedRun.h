#pragma once
// Runs a program as a child process with an environment of the test's
// choosing and collects its stdout and stderr apart. A child that outlasts
// its time is killed and reported as timed out, so that a window waiting for
// a user fails the test instead of hanging it.

#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstring>
#include <string>
#include <vector>

extern char** environ;

class CapturedRun {
public:
    // This process's environment without the variables named in `removed`,
    // with the "NAME=value" entries of `added` on top.
    static std::vector<std::string> Environment(const std::vector<std::string>& removed,
                                                const std::vector<std::string>& added)
    {
        std::vector<std::string> result;
        for (char** entry = environ; *entry; ++entry) {
            std::string text = *entry;
            std::string name = text.substr(0, text.find('='));
            bool dropped = std::find(removed.begin(), removed.end(), name) != removed.end() ||
                           std::any_of(added.begin(), added.end(),
                                       [&](const std::string& a) { return a.substr(0, a.find('=')) == name; });
            if (!dropped)
                result.push_back(text);
        }
        result.insert(result.end(), added.begin(), added.end());
        return result;
    }

    CapturedRun(std::vector<std::string> arguments, std::vector<std::string> environment,
                std::chrono::milliseconds limit)
    {
        int out[2];
        int err[2];
        if (pipe(out) != 0)
            return;
        if (pipe(err) != 0) {
            close(out[0]);
            close(out[1]);
            return;
        }
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_adddup2(&actions, out[1], 1);
        posix_spawn_file_actions_adddup2(&actions, err[1], 2);
        for (int end : {out[0], out[1], err[0], err[1]})
            posix_spawn_file_actions_addclose(&actions, end);
        std::vector<char*> argv = Pointers(arguments);
        std::vector<char*> envp = Pointers(environment);
        pid_t pid = -1;
        bool started = posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), envp.data()) == 0;
        posix_spawn_file_actions_destroy(&actions);
        close(out[1]);
        close(err[1]);
        if (started)
            Collect(pid, out[0], err[0], limit);
        close(out[0]);
        close(err[0]);
    }

    // The exit status, 128 + the signal for a child that a signal ended (as
    // a shell reports it), or -1 when it did not start.
    int ExitCode() const { return m_exitCode; }
    bool TimedOut() const { return m_timedOut; }
    const std::string& Out() const { return m_out; }
    const std::string& Err() const { return m_err; }

private:
    static std::vector<char*> Pointers(std::vector<std::string>& texts)
    {
        std::vector<char*> pointers;
        for (std::string& text : texts)
            pointers.push_back(text.data());
        pointers.push_back(nullptr);
        return pointers;
    }

    void Collect(pid_t pid, int outEnd, int errEnd, std::chrono::milliseconds limit)
    {
        const auto deadline = std::chrono::steady_clock::now() + limit;
        pollfd ends[2] = {{outEnd, POLLIN, 0}, {errEnd, POLLIN, 0}};
        std::string* texts[2] = {&m_out, &m_err};
        int open = 2;
        while (open > 0) {
            auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now());
            if (!m_timedOut && left.count() <= 0) {
                kill(pid, SIGKILL);
                m_timedOut = true;
            }
            int ready = poll(ends, 2, m_timedOut ? 1000 : static_cast<int>(left.count()));
            if (ready < 0 || (ready == 0 && m_timedOut))
                break;
            for (int i = 0; i < 2; ++i) {
                if (ends[i].fd < 0 || !(ends[i].revents & (POLLIN | POLLHUP | POLLERR)))
                    continue;
                char buffer[4096];
                ssize_t got = read(ends[i].fd, buffer, sizeof buffer);
                if (got > 0) {
                    texts[i]->append(buffer, static_cast<size_t>(got));
                } else {
                    ends[i].fd = -1;
                    --open;
                }
            }
        }
        int status = 0;
        if (waitpid(pid, &status, 0) != pid)
            return;
        m_exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : WIFSIGNALED(status) ? 128 + WTERMSIG(status) : -1;
    }

    int m_exitCode = -1;
    bool m_timedOut = false;
    std::string m_out;
    std::string m_err;
};
