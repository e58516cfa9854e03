// dllrun <module> <export> [argument text ...]
// dllrun /msi <module> <export> [Name=Value ...]
// Calls an export of a module the way the system's DLL runner does: with
// (window, instance, the argument words joined by blanks, show command).
// Such an export has no result; the one it leaves as its thread's last
// error is the program's exit code (0 success, a negative one 255). With
// /msi the export is an installer custom action, called with a session whose
// properties are the Name=Value words; the program's exit code is the
// action's result. Exit codes of the runner itself: 120 bad command line,
// 121 the module did not load, 122 the export is missing.

#include "win/Errors.h"
#include "win/Msi.h"

#include <dlfcn.h>

#include <cstdint>
#include <cstdio>
#include <map>
#include <string>
#include <string_view>

namespace {

enum ExitCode { kUsage = 120, kNoModule = 121, kNoExport = 122 };

using CommandLineEntry = void (*)(HWND, HINSTANCE, LPSTR, int);
using CustomActionEntry = UINT (*)(MSIHANDLE);

constexpr int kShowNormal = 1;
constexpr int kLargestExitCode = 255;

int ExitCodeOf(DWORD result)
{
    const auto code = static_cast<std::int32_t>(result);
    return code < 0 || code > kLargestExitCode ? kLargestExitCode : code;
}

// A bare file name means the file in the current folder, not a library
// search.
std::string LoadablePath(const std::string& module)
{
    return module.find('/') == std::string::npos ? "./" + module : module;
}

void* Entry(void* module, const char* name)
{
    void* entry = dlsym(module, name);
    if (!entry)
        std::fprintf(stderr, "dllrun: the module has no export %s.\n", name);
    return entry;
}

}  // namespace

int main(int argc, char** argv)
{
    int next = 1;
    const bool customAction = argc > 1 && std::string_view(argv[1]) == "/msi";
    next += customAction ? 1 : 0;
    if (argc < next + 2) {
        std::fprintf(stderr, "usage: dllrun [/msi] <module> <export> [arguments ...]\n");
        return kUsage;
    }
    void* module = dlopen(LoadablePath(argv[next]).c_str(), RTLD_NOW | RTLD_LOCAL);
    if (!module) {
        const char* reason = dlerror();
        std::fprintf(stderr, "dllrun: the module \"%s\" failed to load: %s\n", argv[next], reason ? reason : "");
        return kNoModule;
    }
    void* entry = Entry(module, argv[next + 1]);
    if (!entry)
        return kNoExport;
    if (customAction) {
        std::map<std::string, std::string> properties;
        for (int i = next + 2; i < argc; ++i) {
            const std::string word = argv[i];
            const size_t equals = word.find('=');
            if (equals == std::string::npos || equals == 0) {
                std::fprintf(stderr, "dllrun: \"%s\" is no Name=Value property.\n", argv[i]);
                return kUsage;
            }
            properties[word.substr(0, equals)] = word.substr(equals + 1);
        }
        const MSIHANDLE session = MsiOpenPropertySession(std::move(properties));
        const UINT result = reinterpret_cast<CustomActionEntry>(entry)(session);
        MsiCloseHandle(session);
        return static_cast<int>(result);
    }
    std::string text;
    for (int i = next + 2; i < argc; ++i)
        text += (text.empty() ? "" : " ") + std::string(argv[i]);
    SetLastError(ERROR_SUCCESS);
    reinterpret_cast<CommandLineEntry>(entry)(nullptr, nullptr, text.data(), kShowNormal);
    return ExitCodeOf(GetLastError());
}
