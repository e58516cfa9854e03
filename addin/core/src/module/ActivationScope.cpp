#include "module/ActivationScope.h"

#include "util/ClientVersion.h"

#include <mutex>

namespace {

constexpr DWORD kFirstThemedClient = 11;

}  // namespace

bool HasModuleActivationContext()
{
    static std::once_flag made;
    static bool exists = false;
    std::call_once(made, [] {
        const std::string client = GetOutlookExePath();
        exists = !client.empty() && HIWORD(GetModuleFileVersion(client.c_str())) >= kFirstThemedClient;
    });
    return exists;
}
