// regsvr [/u] [/s] <module>
// Loads a COM server module and calls its DllRegisterServer, or with /u its
// DllUnregisterServer. /s prints nothing on success. Exit codes: 0 done,
// 1 bad command line, 2 COM could not start, 3 the module did not load,
// 4 the entry point is missing, 5 the entry point failed.

#include "com/Activation.h"

#include <dlfcn.h>

#include <cstdio>
#include <string>
#include <string_view>

namespace {

enum ExitCode { kDone = 0, kUsage = 1, kNoCom = 2, kNoModule = 3, kNoEntry = 4, kCallFailed = 5 };

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

int Run(const Options& options)
{
    const char* entryName = options.unregister ? "DllUnregisterServer" : "DllRegisterServer";
    void* module = dlopen(LoadablePath(options.module).c_str(), RTLD_NOW | RTLD_LOCAL);
    if (!module) {
        const char* reason = dlerror();
        std::fprintf(stderr, "regsvr: the module \"%s\" failed to load: %s\n", options.module.c_str(),
                     reason ? reason : "unknown reason");
        return kNoModule;
    }
    auto entry = reinterpret_cast<LPFNREGISTERSERVER>(dlsym(module, entryName));
    if (!entry) {
        std::fprintf(stderr, "regsvr: the module \"%s\" was loaded, but the entry point %s was not found.\n",
                     options.module.c_str(), entryName);
        dlclose(module);
        return kNoEntry;
    }
    const HRESULT hr = entry();
    dlclose(module);
    if (FAILED(hr)) {
        std::fprintf(stderr, "regsvr: %s in \"%s\" failed with error code 0x%08X.\n", entryName,
                     options.module.c_str(), static_cast<unsigned>(hr));
        return kCallFailed;
    }
    if (!options.silent) std::printf("%s in \"%s\" succeeded.\n", entryName, options.module.c_str());
    return kDone;
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
