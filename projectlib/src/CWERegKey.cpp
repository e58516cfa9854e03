#include "CWERegKey.h"

#include <utility>

CWERegKey::CWERegKey(CWERegKey&& other) noexcept : m_key(std::exchange(other.m_key, nullptr)) {}

CWERegKey& CWERegKey::operator=(CWERegKey&& other) noexcept
{
    if (this != &other) {
        Close();
        m_key = std::exchange(other.m_key, nullptr);
    }
    return *this;
}

CWERegKey::~CWERegKey() { Close(); }

LONG CWERegKey::Open(HKEY parent, const std::string& subKey, REGSAM access)
{
    Close();
    return RegOpenKeyEx(parent, subKey.c_str(), 0, access, &m_key);
}

LONG CWERegKey::Create(HKEY parent, const std::string& subKey, bool* created)
{
    Close();
    DWORD disposition = 0;
    LONG error = RegCreateKeyEx(parent, subKey.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS, nullptr,
                                &m_key, &disposition);
    if (error != ERROR_SUCCESS)
        m_key = nullptr;
    if (created)
        *created = error == ERROR_SUCCESS && disposition == REG_CREATED_NEW_KEY;
    return error;
}

void CWERegKey::Close()
{
    if (m_key)
        RegCloseKey(std::exchange(m_key, nullptr));
}

std::optional<std::string> CWERegKey::QueryText(const char* name, DWORD maxBytes) const
{
    if (!m_key)
        return std::nullopt;
    std::string buffer(maxBytes, '\0');
    DWORD type = REG_NONE;
    DWORD size = maxBytes;
    if (RegQueryValueEx(m_key, name, nullptr, &type, reinterpret_cast<LPBYTE>(buffer.data()), &size) != ERROR_SUCCESS)
        return std::nullopt;
    if (type != REG_SZ && type != REG_EXPAND_SZ)
        return std::nullopt;
    buffer.resize(size);
    // The stored size counts the NUL; cut at the first one.
    buffer.resize(buffer.find('\0') == std::string::npos ? buffer.size() : buffer.find('\0'));
    return buffer;
}

std::optional<DWORD> CWERegKey::QueryNumber(const char* name) const
{
    if (!m_key)
        return std::nullopt;
    DWORD value = 0;
    DWORD type = REG_NONE;
    DWORD size = sizeof(value);
    if (RegQueryValueEx(m_key, name, nullptr, &type, reinterpret_cast<LPBYTE>(&value), &size) != ERROR_SUCCESS ||
        type != REG_DWORD || size != sizeof(value))
        return std::nullopt;
    return value;
}

LONG CWERegKey::SetText(const char* name, const std::string& text)
{
    if (!m_key)
        return ERROR_INVALID_HANDLE;
    return RegSetValueEx(m_key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()),
                         static_cast<DWORD>(text.size() + 1));
}

LONG CWERegKey::SetNumber(const char* name, DWORD value)
{
    if (!m_key)
        return ERROR_INVALID_HANDLE;
    return RegSetValueEx(m_key, name, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value), sizeof(value));
}

std::vector<std::string> CWERegKey::SubkeyNames(DWORD maxChars) const
{
    std::vector<std::string> names;
    if (!m_key)
        return names;
    std::string buffer(maxChars + 1, '\0');
    for (DWORD index = 0;; ++index) {
        DWORD size = maxChars + 1;
        LONG error = RegEnumKeyEx(m_key, index, buffer.data(), &size, nullptr, nullptr, nullptr, nullptr);
        if (error == ERROR_MORE_DATA)
            continue;
        if (error != ERROR_SUCCESS)
            break;
        names.emplace_back(buffer.data(), size);
    }
    return names;
}
