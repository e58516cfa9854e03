#include "win/Locale.h"

#include "win/Errors.h"

#include <cstring>
#include <map>
#include <mutex>
#include <string>

namespace {

constexpr LCID kUsEnglish = 0x0409;

std::mutex g_mutex;
std::map<LCTYPE, std::string> g_values = {
    {LOCALE_SLIST, ","},
    {LOCALE_SDECIMAL, "."},
    {LOCALE_STHOUSAND, ","},
    {LOCALE_SSHORTDATE, "M/d/yyyy"},
};

thread_local LCID t_threadLocale = kUsEnglish;

} // namespace

LCID GetUserDefaultLCID() { return kUsEnglish; }

LCID GetThreadLocale() { return t_threadLocale; }

BOOL SetThreadLocale(LCID locale)
{
    t_threadLocale = locale == LOCALE_USER_DEFAULT || locale == LOCALE_SYSTEM_DEFAULT ? kUsEnglish : locale;
    return TRUE;
}

int GetLocaleInfo(LCID, LCTYPE type, LPSTR data, int size)
{
    std::string value;
    {
        std::lock_guard guard(g_mutex);
        auto found = g_values.find(type);
        if (found == g_values.end()) {
            SetLastError(ERROR_INVALID_FLAGS);
            return 0;
        }
        value = found->second;
    }
    const int needed = static_cast<int>(value.size()) + 1;
    if (size == 0)
        return needed;
    if (!data || size < needed) {
        SetLastError(ERROR_INSUFFICIENT_BUFFER);
        return 0;
    }
    std::memcpy(data, value.c_str(), value.size() + 1);
    return needed;
}

BOOL SetLocaleInfo(LCID, LCTYPE type, LPCSTR data)
{
    std::lock_guard guard(g_mutex);
    auto found = g_values.find(type);
    if (found == g_values.end() || !data) {
        SetLastError(ERROR_INVALID_FLAGS);
        return FALSE;
    }
    found->second = data;
    return TRUE;
}
