#pragma once
// A program a test starts and stops: its arguments passed as words, never
// through a shell; its standard output readable line by line. The process
// is stopped (SIGTERM, then SIGKILL) when the object goes.
//
//     ChildProcess server({"/usr/bin/python3", "server.py"});
//     std::string first = server.ReadLine();   // "port 4711"
//     int status = ChildProcess::Run({"openssl", "version"});

#include <string>
#include <vector>

namespace pollenta::testsupport {

class ChildProcess {
public:
    // Throws std::runtime_error when the program cannot be started.
    explicit ChildProcess(const std::vector<std::string>& words);
    ~ChildProcess();
    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;

    // The next line the program writes, without its line end; empty once
    // the program has closed its output.
    std::string ReadLine();
    // Waits for the program to end by itself; its exit code, or -1.
    int Wait();
    // Sends `signal` and waits for the end; the exit status as waitpid gives it.
    int Stop(int signal = 15);
    int Pid() const { return m_pid; }

    // Runs a program to its end, its output discarded; its exit code, or -1.
    static int Run(const std::vector<std::string>& words);

private:
    int m_pid = -1;
    int m_output = -1;
    std::string m_buffer;
};

}  // namespace pollenta::testsupport
