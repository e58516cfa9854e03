#include "settings/RegistryKey.h"

#include "util/ReadRegString.h"

LONG RegistryKey::Open(HKEY root, const std::string& path, REGSAM access)
{
    Close();
    return RegOpenKeyEx(root, path.c_str(), 0, access, &m_key);
}

LONG RegistryKey::Create(HKEY root, const std::string& path, REGSAM access)
{
    Close();
    return RegCreateKeyEx(root, path.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE, access, nullptr, &m_key,
                          nullptr);
}

void RegistryKey::Close()
{
    if (m_key)
        RegCloseKey(m_key);
    m_key = nullptr;
}

LONG RegistryKey::ReadNumber(const char* name, DWORD& value) const
{
    DWORD type = 0;
    DWORD number = 0;
    DWORD size = sizeof number;
    const LONG result = RegQueryValueEx(m_key, name, nullptr, &type, reinterpret_cast<LPBYTE>(&number), &size);
    if (result != ERROR_SUCCESS)
        return result;
    if (type != REG_DWORD || size != sizeof number)
        return ERROR_INVALID_DATA;
    value = number;
    return ERROR_SUCCESS;
}

LONG RegistryKey::ReadText(const char* name, std::string& text) const
{
    return ReadRegString(m_key, name, text);
}

LONG RegistryKey::ReadBinary(const char* name, std::vector<BYTE>& bytes) const
{
    DWORD type = 0;
    DWORD size = 0;
    LONG result = RegQueryValueEx(m_key, name, nullptr, &type, nullptr, &size);
    if (result != ERROR_SUCCESS)
        return result;
    if (type != REG_BINARY)
        return ERROR_INVALID_DATA;
    std::vector<BYTE> data(size);
    result = RegQueryValueEx(m_key, name, nullptr, &type, data.data(), &size);
    if (result != ERROR_SUCCESS)
        return result;
    data.resize(size);
    bytes = std::move(data);
    return ERROR_SUCCESS;
}

LONG RegistryKey::ValueNames(std::vector<std::string>& names) const
{
    DWORD count = 0;
    DWORD longest = 0;
    LONG result = RegQueryInfoKey(m_key, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, &count, &longest,
                                  nullptr, nullptr, nullptr);
    if (result != ERROR_SUCCESS)
        return result;
    std::vector<char> name(longest + 1);
    for (DWORD index = 0; index < count; ++index) {
        DWORD length = static_cast<DWORD>(name.size());
        result = RegEnumValue(m_key, index, name.data(), &length, nullptr, nullptr, nullptr, nullptr);
        if (result != ERROR_SUCCESS)
            return result;
        names.emplace_back(name.data(), length);
    }
    return ERROR_SUCCESS;
}

LONG RegistryKey::WriteNumber(const char* name, DWORD value) const
{
    return RegSetValueEx(m_key, name, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value), sizeof value);
}

LONG RegistryKey::WriteText(const char* name, const std::string& text) const
{
    return RegSetValueEx(m_key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()),
                         static_cast<DWORD>(text.size() + 1));
}

LONG RegistryKey::WriteBinary(const char* name, const std::vector<BYTE>& bytes) const
{
    return RegSetValueEx(m_key, name, 0, REG_BINARY, bytes.data(), static_cast<DWORD>(bytes.size()));
}
