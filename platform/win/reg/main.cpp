// reg add KEY [/v NAME | /ve] [/t REG_SZ|REG_EXPAND_SZ|REG_DWORD] [/d DATA] [/f]
// Makes the key (HKCU\..., HKLM\..., HKCR\... or the long root names) and,
// with /v or /ve, sets the value.
// reg import FILE
// Merges the keys and values of a registry editor file (one root).
// Exit codes: 0 done, 1 bad command line, 2 the registry refused.

#include "ImportRegFile.h"

#include "win/Registry.h"

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

enum ExitCode { kDone = 0, kUsage = 1, kFailed = 2 };

struct Request {
    std::string key;
    bool setValue = false;
    std::string name;
    std::string type = "REG_SZ";
    std::string data;
};

bool SplitRoot(const std::string& path, HKEY& root, std::string& subKey)
{
    const std::size_t slash = path.find('\\');
    const std::string name = path.substr(0, slash);
    subKey = slash == std::string::npos ? "" : path.substr(slash + 1);
    const struct {
        const char* shortName;
        const char* longName;
        HKEY key;
    } roots[] = {{"HKCU", "HKEY_CURRENT_USER", HKEY_CURRENT_USER},
                 {"HKLM", "HKEY_LOCAL_MACHINE", HKEY_LOCAL_MACHINE},
                 {"HKCR", "HKEY_CLASSES_ROOT", HKEY_CLASSES_ROOT}};
    for (const auto& candidate : roots) {
        if (name == candidate.shortName || name == candidate.longName) {
            root = candidate.key;
            return true;
        }
    }
    return false;
}

bool Parse(const std::vector<std::string>& args, Request& request)
{
    if (args.size() < 2 || args[0] != "add")
        return false;
    request.key = args[1];
    for (std::size_t i = 2; i < args.size(); ++i) {
        const std::string& arg = args[i];
        const bool hasValue = i + 1 < args.size();
        if (arg == "/ve")
            request.setValue = true;
        else if (arg == "/f")
            continue;
        else if (arg == "/v" && hasValue)
            request.setValue = true, request.name = args[++i];
        else if (arg == "/t" && hasValue)
            request.type = args[++i];
        else if (arg == "/d" && hasValue)
            request.data = args[++i];
        else
            return false;
    }
    return request.type == "REG_SZ" || request.type == "REG_EXPAND_SZ" || request.type == "REG_DWORD";
}

LONG SetValue(HKEY key, const Request& request)
{
    if (request.type == "REG_DWORD") {
        char* end = nullptr;
        const unsigned long number = std::strtoul(request.data.c_str(), &end, 0);
        if (request.data.empty() || *end != '\0' || number > 0xFFFFFFFFul)
            return ERROR_INVALID_PARAMETER;
        const DWORD value = static_cast<DWORD>(number);
        return RegSetValueEx(key, request.name.c_str(), 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value),
                             sizeof value);
    }
    const DWORD type = request.type == "REG_SZ" ? REG_SZ : REG_EXPAND_SZ;
    return RegSetValueEx(key, request.name.c_str(), 0, type, reinterpret_cast<const BYTE*>(request.data.c_str()),
                         static_cast<DWORD>(request.data.size() + 1));
}

int Import(const std::string& path)
{
    std::string problem;
    const LONG result = ImportRegFile(path, problem);
    if (result == ERROR_SUCCESS)
        return kDone;
    std::fprintf(stderr, "reg: %s: %s (error %ld)\n", path.c_str(), problem.c_str(), static_cast<long>(result));
    return kFailed;
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc == 3 && std::string(argv[1]) == "import")
        return Import(argv[2]);
    Request request;
    HKEY root = nullptr;
    std::string subKey;
    if (!Parse({argv + 1, argv + argc}, request) || !SplitRoot(request.key, root, subKey)) {
        std::fputs("usage: reg add KEY [/v NAME | /ve] [/t REG_SZ|REG_EXPAND_SZ|REG_DWORD] [/d DATA] [/f]\n"
                   "       reg import FILE\n",
                   stderr);
        return kUsage;
    }
    HKEY key = nullptr;
    LONG result = RegCreateKeyEx(root, subKey.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr);
    if (result == ERROR_SUCCESS && request.setValue)
        result = SetValue(key, request);
    if (key)
        RegCloseKey(key);
    if (result != ERROR_SUCCESS) {
        std::fprintf(stderr, "reg: %s: error %ld\n", request.key.c_str(), static_cast<long>(result));
        return kFailed;
    }
    return kDone;
}
