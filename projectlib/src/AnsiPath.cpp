#include "AnsiPath.h"

#include "win/CodePage.h"

std::filesystem::path FileSystemPath(const std::string& ansi)
{
    return GetACP() == CP_UTF8 ? std::filesystem::path(ansi) : std::filesystem::path(Recode(ansi, CP_ACP, CP_UTF8));
}

std::string AnsiPath(const std::filesystem::path& path)
{
    return GetACP() == CP_UTF8 ? path.string() : Recode(path.string(), CP_UTF8, CP_ACP);
}
