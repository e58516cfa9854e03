#include "win/Msi.h"

#include <algorithm>
#include <cstring>
#include <mutex>

namespace {

struct Sessions {
    std::mutex lock;
    MSIHANDLE next = 1;
    std::map<MSIHANDLE, std::map<std::string, std::string>> open;
};

Sessions& AllSessions()
{
    static Sessions sessions;
    return sessions;
}

}  // namespace

MSIHANDLE MsiOpenPropertySession(std::map<std::string, std::string> properties)
{
    Sessions& sessions = AllSessions();
    std::lock_guard guard(sessions.lock);
    const MSIHANDLE handle = sessions.next++;
    sessions.open.emplace(handle, std::move(properties));
    return handle;
}

UINT MsiCloseHandle(MSIHANDLE handle)
{
    Sessions& sessions = AllSessions();
    std::lock_guard guard(sessions.lock);
    return sessions.open.erase(handle) ? ERROR_SUCCESS : ERROR_INVALID_HANDLE;
}

UINT MsiGetPropertyA(MSIHANDLE session, LPCSTR name, LPSTR value, DWORD* size)
{
    if (!name || (value && !size))
        return ERROR_INVALID_PARAMETER;
    std::string text;
    {
        Sessions& sessions = AllSessions();
        std::lock_guard guard(sessions.lock);
        auto found = sessions.open.find(session);
        if (found == sessions.open.end())
            return ERROR_INVALID_HANDLE;
        auto property = found->second.find(name);
        if (property != found->second.end())
            text = property->second;
    }
    if (!size)
        return ERROR_SUCCESS;
    const DWORD room = *size;
    *size = static_cast<DWORD>(text.size());
    if (value && room > 0) {
        const size_t copied = std::min<size_t>(text.size(), room - 1);
        std::memcpy(value, text.data(), copied);
        value[copied] = '\0';
    }
    return room > text.size() ? ERROR_SUCCESS : ERROR_MORE_DATA;
}
