#include "ui/HtmlHelp.h"
#include "win/Shell.h"

#include <string>
#include <sys/stat.h>

namespace {

bool IsFile(const std::string& path)
{
    struct stat info {};
    return stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode);
}

} // namespace

HWND HtmlHelp(HWND caller, LPCSTR file, UINT command, DWORD_PTR data)
{
    if (!file || !*file)
        return nullptr;
    std::string page = file;
    if (command == HH_HELP_CONTEXT)
        page += "/" + std::to_string(data) + ".html";
    else if (command == HH_DISPLAY_TOPIC)
        page += "/index.html";
    else
        return nullptr;
    if (!IsFile(page))
        return nullptr;
    HINSTANCE result = ShellExecute(caller, "open", page.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
    return reinterpret_cast<std::intptr_t>(result) > 32 ? caller : nullptr;
}
