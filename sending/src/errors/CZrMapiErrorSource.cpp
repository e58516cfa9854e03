#include "CZrMapiErrorSource.h"

#include "SystemErrorText.h"

#include "win/Registry.h"

namespace {

constexpr const char* MapiErrorsKey = "SOFTWARE\\Velquin Ltd\\MAPI Errors";
constexpr const char* MessageSourceValue = "MessageSourceDll";
constexpr DWORD MaxMessageSourceBytes = 520;

}  // namespace

bool CZrMapiErrorSource::Load(const std::string& path)
{
    m_bLoaded = m_table.LoadFromFile(path);
    return m_bLoaded;
}

bool CZrMapiErrorSource::LoadConfigured()
{
    HKEY key = nullptr;
    if (RegOpenKeyEx(HKEY_LOCAL_MACHINE, MapiErrorsKey, 0, KEY_READ, &key) != ERROR_SUCCESS)
        return false;
    char path[MaxMessageSourceBytes + 1] = {};
    DWORD type = 0;
    DWORD size = MaxMessageSourceBytes;
    LONG result = RegQueryValueEx(key, MessageSourceValue, nullptr, &type, reinterpret_cast<BYTE*>(path), &size);
    RegCloseKey(key);
    return result == ERROR_SUCCESS && type == REG_SZ && path[0] && Load(path);
}

void CZrMapiErrorSource::Unload()
{
    m_table.Attach(nullptr, 0);
    m_bLoaded = false;
}

std::string CZrMapiErrorSource::Text(HRESULT hr) const
{
    std::size_t length = 0;
    if (const char* text = m_table.FindString(static_cast<std::uint32_t>(hr), &length))
        return std::string(text, length);
    return SystemErrorText(hr);
}

CZrMapiErrorSource& MapiErrorSource()
{
    static CZrMapiErrorSource source;
    return source;
}
