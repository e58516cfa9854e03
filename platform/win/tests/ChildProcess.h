#pragma once
// Runs a helper program as a child process and collects what it prints.

#include <csignal>
#include <spawn.h>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

extern char** environ;

class ChildProcess {
public:
    explicit ChildProcess(std::vector<std::string> arguments)
    {
        int pipeEnds[2];
        if (pipe(pipeEnds) != 0)
            return;
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_adddup2(&actions, pipeEnds[1], 1);
        posix_spawn_file_actions_addclose(&actions, pipeEnds[0]);
        std::vector<char*> argv;
        for (auto& argument : arguments)
            argv.push_back(argument.data());
        argv.push_back(nullptr);
        if (posix_spawn(&m_pid, argv[0], &actions, nullptr, argv.data(), environ) != 0)
            m_pid = -1;
        posix_spawn_file_actions_destroy(&actions);
        close(pipeEnds[1]);
        m_output = pipeEnds[0];
    }

    void Kill(int signal) const
    {
        if (m_pid > 0)
            kill(m_pid, signal);
    }

    // Waits for the end and returns the exit status (-1 when it did not run).
    int Finish(std::string* output = nullptr)
    {
        char buffer[4096];
        ssize_t got;
        while ((got = read(m_output, buffer, sizeof buffer)) > 0)
            if (output)
                output->append(buffer, static_cast<size_t>(got));
        close(m_output);
        int status = 0;
        if (m_pid <= 0 || waitpid(m_pid, &status, 0) != m_pid)
            return -1;
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }

private:
    pid_t m_pid = -1;
    int m_output = -1;
};
