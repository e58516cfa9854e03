#include "controls/WEHelp.h"
#include "ui/HtmlHelp.h"
#include "win/Module.h"
#include "win/Resources.h"

namespace {

// The module's string that names its help file.
constexpr UINT IDS_HELP_FILE = 138;

// The add-in or the wizard, whichever carries this code.
HMODULE OwnModule()
{
    HMODULE module = nullptr;
    GetModuleHandleEx(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                      reinterpret_cast<LPCSTR>(&OwnModule), &module);
    return module;
}

} // namespace

std::string GetHelpFilePathFor(const std::string& modulePath, const std::string& helpFileName)
{
    size_t slash = modulePath.rfind('/');
    if (slash == std::string::npos)
        return {};
    return modulePath.substr(0, slash + 1) + helpFileName;
}

std::string GetHelpFilePath()
{
    HMODULE module = OwnModule();
    char path[521] = {};
    DWORD length = GetModuleFileName(module, path, sizeof(path));
    if (length == 0 || length >= sizeof(path))
        return {};
    char name[260] = {};
    LoadString(module, IDS_HELP_FILE, name, sizeof(name));
    return GetHelpFilePathFor(path, name);
}

BOOL ShowHelpTopic(HWND owner, DWORD topic)
{
    std::string path = GetHelpFilePath();
    if (path.empty())
        return FALSE;
    HtmlHelp(owner, path.c_str(), HH_HELP_CONTEXT, topic);
    return TRUE;
}
