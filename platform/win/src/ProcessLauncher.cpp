#include "ProcessLauncher.h"

#include "ErrnoError.h"
#include "FinishingObject.h"
#include "HandleTable.h"

#include <spawn.h>
#include <sys/wait.h>
#include <thread>

extern char** environ;

namespace {

// Reaps the process when it ends and signals its handle.
void Watch(pid_t pid, std::shared_ptr<FinishingObject> process)
{
    std::thread([pid, process] {
        int status = 0;
        while (waitpid(pid, &status, 0) < 0 && errno == EINTR) {
        }
        const DWORD exitCode = WIFEXITED(status) ? static_cast<DWORD>(WEXITSTATUS(status)) : 0xC0000000u | WTERMSIG(status);
        {
            std::lock_guard guard(KernelObject::Lock());
            process->Finish(exitCode);
        }
        KernelObject::Changed().notify_all();
    }).detach();
}

std::vector<char*> Pointers(std::vector<std::string>& words)
{
    std::vector<char*> pointers;
    for (auto& word : words)
        pointers.push_back(word.data());
    pointers.push_back(nullptr);
    return pointers;
}

} // namespace

DWORD ProcessLauncher::Launch(const std::string& program, const std::vector<std::string>& arguments,
                              const std::string& directory, const std::vector<std::string>* environment,
                              HANDLE* process, DWORD* processId)
{
    std::vector<std::string> argv{program};
    argv.insert(argv.end(), arguments.begin(), arguments.end());
    std::vector<char*> argvPointers = Pointers(argv);
    std::vector<std::string> envCopy = environment ? *environment : std::vector<std::string>();
    std::vector<char*> envPointers = Pointers(envCopy);

    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    if (!directory.empty())
        posix_spawn_file_actions_addchdir_np(&actions, directory.c_str());
    pid_t pid = 0;
    const int error = posix_spawnp(&pid, program.c_str(), &actions, nullptr, argvPointers.data(),
                                   environment ? envPointers.data() : environ);
    posix_spawn_file_actions_destroy(&actions);
    if (error)
        return Win32ErrorFromErrno(error);

    auto object = std::make_shared<FinishingObject>();
    Watch(pid, object);
    if (process)
        *process = HandleTable::Add(object);
    if (processId)
        *processId = static_cast<DWORD>(pid);
    return 0;
}

HANDLE ProcessLauncher::EndedProcess()
{
    auto object = std::make_shared<FinishingObject>();
    std::lock_guard guard(KernelObject::Lock());
    object->Finish(0);
    return HandleTable::Add(object);
}
