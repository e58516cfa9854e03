// regsvr [/u] [/s] <module>
// Loads a COM server module and calls its DllRegisterServer, or with /u its
// DllUnregisterServer. /s prints nothing on success. Exit codes: 0 done,
// 1 bad command line, 2 COM could not start, 3 the module did not load,
// 4 the entry point is missing, 5 the entry point failed, 6 the entry
// point threw an exception.

#include "com/Activation.h"
#include "win/Module.h"

#include <dlfcn.h>

#include <cstdio>
#include <exception>
#include <string>
#include <string_view>

namespace {

enum ExitCode { kDone = 0, kUsage = 1, kNoCom = 2, kNoModule = 3, kNoEntry = 4, kCallFailed = 5, kCallThrew = 6 };

struct Options {
    bool unregister = false;
    bool silent = false;
    std::string module;
};

bool ParseOptions(int argc, char** argv, Options& options)
{
    for (int i = 1; i < argc; ++i) {
        const std::string_view arg = argv[i];
        if (arg == "/u" || arg == "/U" || arg == "-u")
            options.unregister = true;
        else if (arg == "/s" || arg == "/S" || arg == "-s")
            options.silent = true;
        else if (options.module.empty() && !arg.empty())
            options.module = arg;
        else
            return false;
    }
    return !options.module.empty();
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
int Call(LPFNREGISTERSERVER entry, const char* entryName, const Options& options)
{
    HRESULT hr = S_OK;
    try {
        hr = entry();
    } catch (const std::exception& error) {
        std::fprintf(stderr, "regsvr: %s in \"%s\" threw an exception: %s\n", entryName, options.module.c_str(),
                     error.what());
        return kCallThrew;
    } catch (...) {
        std::fprintf(stderr, "regsvr: %s in \"%s\" threw an exception of an unknown kind.\n", entryName,
                     options.module.c_str());
        return kCallThrew;
    }
    if (FAILED(hr)) {
        std::fprintf(stderr, "regsvr: %s in \"%s\" failed with error code 0x%08X.\n", entryName,
                     options.module.c_str(), static_cast<unsigned>(hr));
        return kCallFailed;
    }
    if (!options.silent) std::printf("%s in \"%s\" succeeded.\n", entryName, options.module.c_str());
    return kDone;
}

int Run(const Options& options)
{
    const char* entryName = options.unregister ? "DllUnregisterServer" : "DllRegisterServer";
    const std::string path = LoadablePath(options.module);
    void* module = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (!module) {
        const char* reason = dlerror();
        std::fprintf(stderr, "regsvr: the module \"%s\" failed to load: %s\n", options.module.c_str(),
                     reason ? reason : "unknown reason");
        return kNoModule;
    }
    int result = kNoEntry;
    if (const LPFNREGISTERSERVER entry = OwnEntry(path, entryName))
        result = Call(entry, entryName, options);
    else
        std::fprintf(stderr, "regsvr: the module \"%s\" was loaded, but the entry point %s was not found.\n",
                     options.module.c_str(), entryName);
    dlclose(module);
    return result;
}

}  // namespace

int main(int argc, char** argv)
{
    Options options;
    if (!ParseOptions(argc, argv, options)) {
        std::fprintf(stderr, "usage: regsvr [/u] [/s] <module>\n");
        return kUsage;
    }
    if (FAILED(CoInitialize(nullptr))) {
        std::fprintf(stderr, "regsvr: COM could not be initialised.\n");
        return kNoCom;
    }
    const int result = Run(options);
    CoUninitialize();
    return result;
}
