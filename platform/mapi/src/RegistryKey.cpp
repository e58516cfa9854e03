#include "RegistryKey.h"

#include "MapiError.h"
#include "mapi/MapiCodes.h"

namespace pollenta::mapi {

CRegistryKey::CRegistryKey(HKEY root, const std::string& path, bool create) : m_path(path)
{
    LONG rc = create ? RegCreateKeyEx(root, path.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS, nullptr,
                                      &m_key, nullptr)
                     : RegOpenKeyEx(root, path.c_str(), 0, KEY_ALL_ACCESS, &m_key);
    if (rc != ERROR_SUCCESS) {
        m_key = nullptr;
        if (create) throw CMapiError(MAPI_E_DISK_ERROR, "Cannot create the registry key " + path);
    }
}

CRegistryKey::~CRegistryKey()
{
    if (m_key) RegCloseKey(m_key);
}

std::string CRegistryKey::Raw(const std::string& name, DWORD& type) const
{
    type = REG_NONE;
    if (!m_key) return {};
    DWORD size = 0;
    if (RegQueryValueEx(m_key, name.c_str(), nullptr, &type, nullptr, &size) != ERROR_SUCCESS) return {};
    std::string data(size, '\0');
    if (RegQueryValueEx(m_key, name.c_str(), nullptr, &type, reinterpret_cast<LPBYTE>(data.data()), &size) != ERROR_SUCCESS)
        return {};
    data.resize(size);
    return data;
}

std::string CRegistryKey::String(const std::string& name) const
{
    DWORD type = 0;
    std::string data = Raw(name, type);
    if (type != REG_SZ && type != REG_EXPAND_SZ) return {};
    while (!data.empty() && data.back() == '\0') data.pop_back();
    return data;
}

std::string CRegistryKey::Binary(const std::string& name) const
{
    DWORD type = 0;
    std::string data = Raw(name, type);
    return type == REG_BINARY ? data : std::string();
}

DWORD CRegistryKey::Dword(const std::string& name, DWORD fallback) const
{
    DWORD type = 0;
    std::string data = Raw(name, type);
    if (type != REG_DWORD || data.size() != sizeof(DWORD)) return fallback;
    DWORD value = 0;
    for (int i = 3; i >= 0; --i) value = (value << 8) | static_cast<BYTE>(data[i]);
    return value;
}

void CRegistryKey::SetString(const std::string& name, const std::string& value)
{
    if (RegSetValueEx(m_key, name.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                      static_cast<DWORD>(value.size() + 1)) != ERROR_SUCCESS)
        throw CMapiError(MAPI_E_DISK_ERROR, "Cannot write the registry value " + m_path + "\\" + name);
}

void CRegistryKey::SetBinary(const std::string& name, const std::string& value)
{
    if (RegSetValueEx(m_key, name.c_str(), 0, REG_BINARY, reinterpret_cast<const BYTE*>(value.data()),
                      static_cast<DWORD>(value.size())) != ERROR_SUCCESS)
        throw CMapiError(MAPI_E_DISK_ERROR, "Cannot write the registry value " + m_path + "\\" + name);
}

void CRegistryKey::SetDword(const std::string& name, DWORD value)
{
    if (RegSetValueEx(m_key, name.c_str(), 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value), sizeof value) !=
        ERROR_SUCCESS)
        throw CMapiError(MAPI_E_DISK_ERROR, "Cannot write the registry value " + m_path + "\\" + name);
}

std::vector<std::string> CRegistryKey::SubKeys() const
{
    std::vector<std::string> names;
    if (!m_key) return names;
    for (DWORD index = 0;; ++index) {
        char name[256];
        DWORD size = sizeof name;
        if (RegEnumKeyEx(m_key, index, name, &size, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS) break;
        names.emplace_back(name, size);
    }
    return names;
}

}  // namespace pollenta::mapi
