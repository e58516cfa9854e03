#include "log/LogHeader.h"

#include "resources/KestrinResources.h"

#include "win/Version.h"

#include <cstdio>
#include <vector>

namespace {

// A string of the add-in's version block (US English, Unicode); "" when
// the module has none or the block lacks it.
std::string VersionText(const std::vector<BYTE>& block, const char* name)
{
    if (block.empty())
        return "";
    LPVOID value = nullptr;
    UINT length = 0;
    const std::string path = std::string("\\StringFileInfo\\040904B0\\") + name;
    if (!VerQueryValue(block.data(), path.c_str(), &value, &length) || !value)
        return "";
    return static_cast<const char*>(value);
}

std::vector<BYTE> OwnVersionBlock()
{
    const std::string path = KestrinModulePath();
    DWORD handle = 0;
    const DWORD size = path.empty() ? 0 : GetFileVersionInfoSize(path.c_str(), &handle);
    std::vector<BYTE> block(size);
    if (size == 0 || !GetFileVersionInfo(path.c_str(), handle, size, block.data()))
        return {};
    return block;
}

}  // namespace

std::string LogHeader(const SYSTEMTIME& localTime)
{
    const std::vector<BYTE> block = OwnVersionBlock();
    char date[32];
    std::snprintf(date, sizeof date, "%04u-%02u-%02u %02u:%02u:%02u", static_cast<unsigned>(localTime.wYear),
                  static_cast<unsigned>(localTime.wMonth), static_cast<unsigned>(localTime.wDay),
                  static_cast<unsigned>(localTime.wHour), static_cast<unsigned>(localTime.wMinute),
                  static_cast<unsigned>(localTime.wSecond));
    return "#Software: " + VersionText(block, "ProductName") + " " + VersionText(block, "FileVersion") + "\r\n" +
           "#Version: " + VersionText(block, "ProductVersion") + "\r\n" + "#Date: " + date + "\r\n" +
           "#Fields: " + KestrinString(IDS_LOG_FIELDS) + "\r\n";
}
