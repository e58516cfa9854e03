#include "testsupport/ChildProcess.h"

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <stdexcept>
#include <thread>
#include <utility>

extern char** environ;

namespace pollenta::testsupport {

namespace {

std::vector<char*> Argv(const std::vector<std::string>& words)
{
    std::vector<char*> argv;
    for (const std::string& word : words) argv.push_back(const_cast<char*>(word.c_str()));
    argv.push_back(nullptr);
    return argv;
}

int Spawn(const std::vector<std::string>& words, int output)
{
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    if (output >= 0) posix_spawn_file_actions_adddup2(&actions, output, STDOUT_FILENO);
    else posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
    pid_t pid = -1;
    std::vector<char*> argv = Argv(words);
    int error = posix_spawnp(&pid, argv[0], &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    if (error != 0) throw std::runtime_error("cannot start " + words.front());
    return pid;
}

}  // namespace

ChildProcess::ChildProcess(const std::vector<std::string>& words)
{
    int pipe[2];
    if (::pipe2(pipe, O_CLOEXEC) != 0) throw std::runtime_error("no pipe for " + words.front());
    try {
        m_pid = Spawn(words, pipe[1]);
    } catch (...) {
        ::close(pipe[0]);
        ::close(pipe[1]);
        throw;
    }
    ::close(pipe[1]);
    m_output = pipe[0];
}

ChildProcess::~ChildProcess()
{
    Stop();
    if (m_output >= 0) ::close(m_output);
}

std::string ChildProcess::ReadLine()
{
    for (;;) {
        std::size_t end = m_buffer.find('\n');
        if (end != std::string::npos) {
            std::string line = m_buffer.substr(0, end);
            m_buffer.erase(0, end + 1);
            return line;
        }
        char chunk[512];
        ssize_t n = m_output < 0 ? 0 : ::read(m_output, chunk, sizeof chunk);
        if (n <= 0) return std::exchange(m_buffer, {});
        m_buffer.append(chunk, static_cast<std::size_t>(n));
    }
}

int ChildProcess::Wait()
{
    if (m_pid <= 0) return -1;
    int status = 0;
    pid_t ended = ::waitpid(m_pid, &status, 0);
    m_pid = -1;
    return ended > 0 && WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

int ChildProcess::Stop(int signal)
{
    if (m_pid <= 0) return 0;
    ::kill(m_pid, signal);
    int status = 0;
    // A program that does not end on the signal within a few seconds is killed.
    for (int i = 0; i < 100; ++i) {
        if (::waitpid(m_pid, &status, WNOHANG) == m_pid) {
            m_pid = -1;
            return status;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    ::kill(m_pid, SIGKILL);
    ::waitpid(m_pid, &status, 0);
    m_pid = -1;
    return status;
}

int ChildProcess::Run(const std::vector<std::string>& words)
{
    int pid = Spawn(words, -1);
    int status = 0;
    if (::waitpid(pid, &status, 0) != pid || !WIFEXITED(status)) return -1;
    return WEXITSTATUS(status);
}

}  // namespace pollenta::testsupport
