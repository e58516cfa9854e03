#include "log/LogFileName.h"

#include <cctype>
#include <cstdio>

namespace {

constexpr char kPrefix[] = "kq";
constexpr char kSuffix[] = ".log";
constexpr std::size_t kDateDigits = 6;

}  // namespace

std::string LogFileName(const SYSTEMTIME& localTime)
{
    char name[32];
    std::snprintf(name, sizeof name, "kq%02u%02u%02u.log", static_cast<unsigned>(localTime.wYear % 100),
                  static_cast<unsigned>(localTime.wMonth), static_cast<unsigned>(localTime.wDay));
    return name;
}

bool IsLogFileName(const std::string& name)
{
    const std::size_t prefix = sizeof kPrefix - 1;
    const std::size_t suffix = sizeof kSuffix - 1;
    if (name.size() != prefix + kDateDigits + suffix || name.compare(0, prefix, kPrefix) != 0 ||
        name.compare(prefix + kDateDigits, suffix, kSuffix) != 0)
        return false;
    for (std::size_t i = prefix; i < prefix + kDateDigits; ++i) {
        if (!std::isdigit(static_cast<unsigned char>(name[i])))
            return false;
    }
    return true;
}
