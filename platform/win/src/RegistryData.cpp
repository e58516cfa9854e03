#include "RegistryData.h"

#include "win/CodePage.h"

#include <algorithm>
#include <cstring>

namespace {

// Every ANSI code page keeps ASCII as it is, so such text needs no recoding
// (which would go by way of UTF-16 and back).
bool IsAscii(std::string_view text)
{
    return std::all_of(text.begin(), text.end(), [](char c) { return static_cast<unsigned char>(c) < 0x80; });
}

std::string Shown(std::string_view utf8) { return IsAscii(utf8) ? std::string(utf8) : Recode(utf8, CP_UTF8, CP_ACP); }

bool IsText(DWORD type) { return type == REG_SZ || type == REG_EXPAND_SZ || type == REG_MULTI_SZ; }

} // namespace

std::string RegistryData::StoredName(LPCSTR name) { return name ? StoredName(std::string_view(name)) : std::string(); }

std::string RegistryData::StoredName(std::string_view name)
{
    return IsAscii(name) ? std::string(name) : Recode(name, CP_ACP, CP_UTF8);
}

std::vector<BYTE> RegistryData::StoredData(DWORD type, const BYTE* data, DWORD dataSize)
{
    std::vector<BYTE> stored(data, data + dataSize);
    if (IsText(type)) {
        const std::string text = StoredName(std::string_view(reinterpret_cast<const char*>(data), dataSize));
        stored.assign(text.begin(), text.end());
    }
    if (type == REG_SZ || type == REG_EXPAND_SZ) {
        auto nul = std::find(stored.begin(), stored.end(), 0);
        stored.erase(nul, stored.end());
        stored.push_back(0);
    } else if (type == REG_MULTI_SZ) {
        while (stored.size() >= 2 && stored[stored.size() - 1] == 0 && stored[stored.size() - 2] == 0)
            stored.pop_back();
        if (!stored.empty() && stored.back() == 0)
            stored.pop_back();
        stored.push_back(0);
        stored.push_back(0);
        if (stored.size() == 2)
            stored.pop_back();
    }
    return stored;
}

LONG RegistryData::CopyData(const RegistryValue& value, LPDWORD type, LPBYTE data, LPDWORD dataSize)
{
    if (data && !dataSize)
        return static_cast<LONG>(ERROR_INVALID_PARAMETER);
    if (type)
        *type = value.type;
    const std::string_view stored(reinterpret_cast<const char*>(value.data.data()), value.data.size());
    const bool recoded = IsText(value.type) && !IsAscii(stored);
    const std::string text = recoded ? Shown(stored) : std::string();
    const BYTE* bytes = recoded ? reinterpret_cast<const BYTE*>(text.data()) : value.data.data();
    const auto size = static_cast<DWORD>(recoded ? text.size() : value.data.size());
    if (data && *dataSize < size) {
        *dataSize = size;
        return static_cast<LONG>(ERROR_MORE_DATA);
    }
    if (data && size)
        std::memcpy(data, bytes, size);
    if (dataSize)
        *dataSize = size;
    return ERROR_SUCCESS;
}

LONG RegistryData::CopyName(const std::string& storedName, LPSTR buffer, LPDWORD size)
{
    const std::string name = Shown(storedName);
    if (!buffer || !size)
        return static_cast<LONG>(ERROR_INVALID_PARAMETER);
    if (*size < name.size() + 1)
        return static_cast<LONG>(ERROR_MORE_DATA);
    std::memcpy(buffer, name.c_str(), name.size() + 1);
    *size = static_cast<DWORD>(name.size());
    return ERROR_SUCCESS;
}
