#include "win/Shell.h"

#include "CommandLine.h"
#include "ProcessLauncher.h"
#include "TextEditor.h"
#include "win/Synch.h"

#include <cstdlib>
#include <cstring>
#include <strings.h>
#include <mutex>
#include <sys/stat.h>
#include <unistd.h>

namespace {

std::mutex g_hookMutex;
ShellLaunchHook g_hook;

std::string Text(LPCSTR text) { return text ? text : ""; }

bool IsUrl(const std::string& file)
{
    return file.find("://") != std::string::npos || file.rfind("mailto:", 0) == 0;
}

bool IsProgramFile(const std::string& path)
{
    struct stat info {};
    return stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode) && access(path.c_str(), X_OK) == 0;
}

bool IsProgramInPath(const std::string& name)
{
    const char* path = std::getenv("PATH");
    std::string_view rest = path ? path : "";
    while (!rest.empty()) {
        const size_t colon = rest.find(':');
        std::string folder(rest.substr(0, colon));
        if (!folder.empty() && IsProgramFile(folder + "/" + name))
            return true;
        rest = colon == std::string_view::npos ? std::string_view() : rest.substr(colon + 1);
    }
    return false;
}

// What Windows would do with the launch: run a program, or open a document
// or URL with the desktop's handler.
DWORD LaunchForReal(const ShellLaunch& launch, HANDLE* process, DWORD* processId,
                    const std::vector<std::string>* environment)
{
    // Notepad and the "edit" verb stand for the user's text editor; without
    // one the file is opened as any document is.
    const bool edit = launch.kind == ShellLaunch::Kind::ShellExecute && strcasecmp(launch.verb.c_str(), "edit") == 0;
    if (edit || (launch.kind != ShellLaunch::Kind::ShellExecute && IsNotepad(launch.file))) {
        const std::vector<std::string> files = edit ? std::vector<std::string>{launch.file} : launch.arguments;
        std::vector<std::string> editor = TextEditorCommand(files);
        if (editor.empty() && !files.empty())
            editor = {"xdg-open", files.front()};
        if (!editor.empty()) {
            const std::string program = editor.front();
            editor.erase(editor.begin());
            return ProcessLauncher::Launch(program, editor, launch.directory, environment, process, processId);
        }
    }
    if (launch.kind == ShellLaunch::Kind::ShellExecute) {
        const bool program = !IsUrl(launch.file) && (launch.file.find('/') != std::string::npos
                                                         ? IsProgramFile(launch.file)
                                                         : IsProgramInPath(launch.file));
        if (!program) {
            struct stat info {};
            if (!IsUrl(launch.file) && stat(launch.file.c_str(), &info) != 0)
                return ERROR_FILE_NOT_FOUND;
            return ProcessLauncher::Launch("xdg-open", {launch.file}, launch.directory, nullptr, nullptr, nullptr);
        }
    }
    return ProcessLauncher::Launch(launch.file, launch.arguments, launch.directory, environment, process, processId);
}

DWORD Run(const ShellLaunch& launch, HANDLE* process = nullptr, DWORD* processId = nullptr,
          const std::vector<std::string>* environment = nullptr)
{
    ShellLaunchHook hook;
    {
        std::lock_guard guard(g_hookMutex);
        hook = g_hook;
    }
    if (!hook)
        return LaunchForReal(launch, process, processId, environment);
    const DWORD error = hook(launch);
    if (!error && process)
        *process = ProcessLauncher::EndedProcess();
    return error;
}

// The part of a command line after its first word, as the program would
// see it.
std::string AfterFirstWord(const std::string& line)
{
    size_t pos = line.find_first_not_of(" \t");
    bool quoted = false;
    for (; pos < line.size(); ++pos) {
        if (line[pos] == '"')
            quoted = !quoted;
        else if ((line[pos] == ' ' || line[pos] == '\t') && !quoted)
            break;
    }
    pos = line.find_first_not_of(" \t", pos);
    return pos == std::string::npos ? std::string() : line.substr(pos);
}

std::vector<std::string> EnvironmentBlock(LPVOID block)
{
    std::vector<std::string> entries;
    for (const char* entry = static_cast<const char*>(block); *entry; entry += std::strlen(entry) + 1)
        entries.emplace_back(entry);
    return entries;
}

} // namespace

ShellLaunchHook SetShellLaunchHook(ShellLaunchHook hook)
{
    std::lock_guard guard(g_hookMutex);
    std::swap(g_hook, hook);
    return hook;
}

HINSTANCE ShellExecute(HWND, LPCSTR verb, LPCSTR file, LPCSTR parameters, LPCSTR directory, INT showCommand)
{
    ShellLaunch launch;
    launch.kind = ShellLaunch::Kind::ShellExecute;
    launch.verb = Text(verb);
    launch.file = Text(file);
    launch.parameters = Text(parameters);
    launch.directory = Text(directory);
    launch.arguments = CommandLine::Split(launch.parameters);
    launch.showCommand = showCommand;
    DWORD error = launch.file.empty() ? ERROR_FILE_NOT_FOUND : Run(launch);
    if (!error)
        return reinterpret_cast<HINSTANCE>(static_cast<std::uintptr_t>(42));
    SetLastError(error);
    const UINT code = error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND || error == ERROR_ACCESS_DENIED ||
                              error == ERROR_NOT_ENOUGH_MEMORY
                          ? error
                          : SE_ERR_NOASSOC;
    return reinterpret_cast<HINSTANCE>(static_cast<std::uintptr_t>(code));
}

BOOL CreateProcess(LPCSTR applicationName, LPSTR commandLine, LPSECURITY_ATTRIBUTES, LPSECURITY_ATTRIBUTES, BOOL,
                   DWORD, LPVOID environment, LPCSTR currentDirectory, LPSTARTUPINFO startupInfo,
                   LPPROCESS_INFORMATION processInformation)
{
    ShellLaunch launch;
    launch.kind = ShellLaunch::Kind::CreateProcess;
    const std::string line = Text(commandLine);
    std::vector<std::string> words = CommandLine::Split(line);
    if (applicationName && *applicationName) {
        launch.file = applicationName;
    } else if (!words.empty()) {
        launch.file = words.front();
    }
    if (!words.empty())
        words.erase(words.begin());
    launch.arguments = words;
    launch.parameters = AfterFirstWord(line);
    launch.directory = Text(currentDirectory);
    if (startupInfo && (startupInfo->dwFlags & STARTF_USESHOWWINDOW))
        launch.showCommand = startupInfo->wShowWindow;
    if (launch.file.empty()) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    std::vector<std::string> entries;
    if (environment)
        entries = EnvironmentBlock(environment);
    HANDLE process = nullptr;
    DWORD processId = 0;
    if (DWORD error = Run(launch, &process, &processId, environment ? &entries : nullptr)) {
        SetLastError(error);
        return FALSE;
    }
    if (processInformation)
        *processInformation = PROCESS_INFORMATION{process, nullptr, processId, 0};
    else
        CloseHandle(process);
    return TRUE;
}

void GetStartupInfo(LPSTARTUPINFO startupInfo)
{
    std::memset(startupInfo, 0, sizeof *startupInfo);
    startupInfo->cb = sizeof *startupInfo;
    startupInfo->wShowWindow = SW_SHOWNORMAL;
}

UINT WinExec(LPCSTR commandLine, UINT showCommand)
{
    ShellLaunch launch;
    launch.kind = ShellLaunch::Kind::WinExec;
    const std::string line = Text(commandLine);
    std::vector<std::string> words = CommandLine::Split(line);
    if (words.empty())
        return ERROR_FILE_NOT_FOUND;
    launch.file = words.front();
    words.erase(words.begin());
    launch.arguments = words;
    launch.parameters = AfterFirstWord(line);
    launch.showCommand = static_cast<INT>(showCommand);
    const DWORD error = Run(launch);
    if (!error)
        return 33;
    SetLastError(error);
    return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND || error == ERROR_BAD_FORMAT ? error : 0;
}
