#pragma once
// A registry key that closes itself; reads give empty values when a value
// is missing, writes throw CMapiError.

#include "win/Registry.h"

#include <string>
#include <vector>

namespace pollenta::mapi {

class CRegistryKey {
public:
    // `create`: the key is made when missing. Valid() tells whether it
    // opened.
    CRegistryKey(HKEY root, const std::string& path, bool create);
    ~CRegistryKey();
    CRegistryKey(const CRegistryKey&) = delete;
    CRegistryKey& operator=(const CRegistryKey&) = delete;

    bool Valid() const { return m_key != nullptr; }
    std::string String(const std::string& name) const;
    std::string Binary(const std::string& name) const;
    DWORD Dword(const std::string& name, DWORD fallback) const;
    void SetString(const std::string& name, const std::string& value);
    void SetBinary(const std::string& name, const std::string& value);
    void SetDword(const std::string& name, DWORD value);
    std::vector<std::string> SubKeys() const;

private:
    std::string Raw(const std::string& name, DWORD& type) const;

    HKEY m_key = nullptr;
    std::string m_path;
};

}  // namespace pollenta::mapi
