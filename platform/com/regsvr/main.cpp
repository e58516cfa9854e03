// regsvr [/u] [/s] <module>...
// Loads each COM server module in turn and calls its DllRegisterServer, or
// with /u its DllUnregisterServer. /s prints nothing on success. Exit code:
// that of the first module that failed, or 0: 1 bad command line, 2 COM
// could not start, 3 the module did not load (its static constructors
// threw, too), 4 the entry point is missing, 5 the entry point failed, 6 the
// entry point threw an exception, 7 the module ended its process with a
// signal.

#include "com/Activation.h"
#include "win/Module.h"

#include <dlfcn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <exception>
#include <string>
#include <string_view>
#include <vector>

namespace {

enum ExitCode {
    kDone = 0,
    kUsage = 1,
    kNoCom = 2,
    kNoModule = 3,
    kNoEntry = 4,
    kCallFailed = 5,
    kCallThrew = 6,
    kSignalled = 7
};

struct Options {
    bool unregister = false;
    bool silent = false;
    std::vector<std::string> modules;
};

// The module being loaded, for the report of an exception that leaves its
// static constructors.
const char* g_loading = nullptr;

bool ParseOptions(int argc, char** argv, Options& options)
{
    for (int i = 1; i < argc; ++i) {
        const std::string_view arg = argv[i];
        if (arg == "/u" || arg == "/U" || arg == "-u")
            options.unregister = true;
        else if (arg == "/s" || arg == "/S" || arg == "-s")
            options.silent = true;
        else if (!arg.empty())
            options.modules.emplace_back(arg);
        else
            return false;
    }
    return !options.modules.empty();
}

// A bare file name means the file in the current folder, not a library
// search.
std::string LoadablePath(const std::string& module)
{
    return module.find('/') == std::string::npos ? "./" + module : module;
}

// Only the module's own export counts: dlsym would also find the entry
// point of a library the module links, and register that library instead.
LPFNREGISTERSERVER OwnEntry(const std::string& path, const char* entryName)
{
    HMODULE module = GetModuleHandle(path.c_str());
    return module ? reinterpret_cast<LPFNREGISTERSERVER>(GetProcAddress(module, entryName)) : nullptr;
}

// An exception must not end regsvr unexplained: it is reported as the
// entry point's failure.
int Call(LPFNREGISTERSERVER entry, const char* entryName, const std::string& name, const Options& options)
{
    HRESULT hr = S_OK;
    try {
        hr = entry();
    } catch (const std::exception& error) {
        std::fprintf(stderr, "regsvr: %s in \"%s\" threw an exception: %s\n", entryName, name.c_str(),
                     error.what());
        return kCallThrew;
    } catch (...) {
        std::fprintf(stderr, "regsvr: %s in \"%s\" threw an exception of an unknown kind.\n", entryName,
                     name.c_str());
        return kCallThrew;
    }
    if (FAILED(hr)) {
        std::fprintf(stderr, "regsvr: %s in \"%s\" failed with error code 0x%08X.\n", entryName,
                     name.c_str(), static_cast<unsigned>(hr));
        return kCallFailed;
    }
    if (!options.silent) std::printf("%s in \"%s\" succeeded.\n", entryName, name.c_str());
    return kDone;
}

int Run(const std::string& name, const Options& options)
{
    const char* entryName = options.unregister ? "DllUnregisterServer" : "DllRegisterServer";
    const std::string path = LoadablePath(name);
    g_loading = name.c_str();
    void* module = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
    g_loading = nullptr;
    if (!module) {
        const char* reason = dlerror();
        std::fprintf(stderr, "regsvr: the module \"%s\" failed to load: %s\n", name.c_str(),
                     reason ? reason : "unknown reason");
        return kNoModule;
    }
    int result = kNoEntry;
    if (const LPFNREGISTERSERVER entry = OwnEntry(path, entryName))
        result = Call(entry, entryName, name, options);
    else
        std::fprintf(stderr, "regsvr: the module \"%s\" was loaded, but the entry point %s was not found.\n",
                     name.c_str(), entryName);
    dlclose(module);
    return result;
}

// An exception out of a module's static constructors passes through the
// loader, which cannot hand it on; the process ends, after saying so.
[[noreturn]] void ReportUncaught()
{
    std::string what = "of an unknown kind";
    try {
        if (std::exception_ptr current = std::current_exception())
            std::rethrow_exception(current);
    } catch (const std::exception& error) {
        what = std::string("\"") + error.what() + "\"";
    } catch (...) {
    }
    std::fprintf(stderr, "regsvr: the module \"%s\" failed to load: it threw an exception %s\n",
                 g_loading ? g_loading : "(unknown)", what.c_str());
    std::fflush(stderr);
    _exit(g_loading ? kNoModule : kCallThrew);
}

int RunWithCom(const std::string& name, const Options& options)
{
    if (FAILED(CoInitialize(nullptr))) {
        std::fprintf(stderr, "regsvr: COM could not be initialised.\n");
        return kNoCom;
    }
    const int result = Run(name, options);
    CoUninitialize();
    return result;
}

// In a process of its own, so that a module that ends its process, by an
// exception or a signal, is named with the reason and the modules after it
// are still registered.
int RunApart(const std::string& name, const Options& options)
{
    std::fflush(stdout);
    std::fflush(stderr);
    const pid_t child = fork();
    if (child == 0) {
        std::set_terminate(ReportUncaught);
        const int result = RunWithCom(name, options);
        std::fflush(stdout);
        std::fflush(stderr);
        _exit(result);
    }
    int status = 0;
    if (child < 0 || waitpid(child, &status, 0) != child) {
        std::fprintf(stderr, "regsvr: the module \"%s\" could not be loaded apart: %s\n", name.c_str(),
                     std::strerror(errno));
        return kNoModule;
    }
    if (WIFEXITED(status))
        return WEXITSTATUS(status);
    const int signal = WIFSIGNALED(status) ? WTERMSIG(status) : 0;
    std::fprintf(stderr, "regsvr: the module \"%s\" ended its process with signal %d (%s).\n", name.c_str(), signal,
                 strsignal(signal));
    return kSignalled;
}

}  // namespace

int main(int argc, char** argv)
{
    Options options;
    if (!ParseOptions(argc, argv, options)) {
        std::fprintf(stderr, "usage: regsvr [/u] [/s] <module>...\n");
        return kUsage;
    }
    int first = kDone;
    for (const std::string& module : options.modules) {
        const int result = RunApart(module, options);
        if (first == kDone)
            first = result;
    }
    return first;
}
