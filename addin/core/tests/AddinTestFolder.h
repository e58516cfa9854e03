#pragma once
// A folder of one test, removed with everything in it at the end. It holds
// the process's registry (POLLENTA_REGISTRY), so every test starts from an
// empty one, and room for log folders and other files.

#include "settings/RegistryKey.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <optional>
#include <string>
#include <vector>

class AddinTestFolder {
public:
    AddinTestFolder()
    {
        std::string pattern = (std::filesystem::temp_directory_path() / "pollenta-addin-XXXXXX").string();
        if (!mkdtemp(pattern.data())) {
            ADD_FAILURE() << "mkdtemp failed for " << pattern;
            return;
        }
        m_path = pattern;
        std::filesystem::create_directories(Registry());
        setenv("POLLENTA_REGISTRY", Registry().c_str(), 1);
    }
    ~AddinTestFolder()
    {
        std::error_code ignored;
        if (!m_path.empty())
            std::filesystem::remove_all(m_path, ignored);
    }
    AddinTestFolder(const AddinTestFolder&) = delete;
    AddinTestFolder& operator=(const AddinTestFolder&) = delete;

    const std::filesystem::path& Path() const { return m_path; }
    std::filesystem::path Registry() const { return m_path / "registry"; }

    // A file with the given bytes, its folders made as needed.
    std::filesystem::path WriteFile(const std::string& relative, const std::string& bytes) const
    {
        const std::filesystem::path file = m_path / relative;
        std::filesystem::create_directories(file.parent_path());
        std::ofstream(file, std::ios::binary) << bytes;
        return file;
    }

    static std::string ReadFile(const std::filesystem::path& file)
    {
        std::ifstream stream(file, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(stream), std::istreambuf_iterator<char>());
    }

    std::string RegistryText() const { return ReadFile(Registry() / "HKEY_CURRENT_USER.reg"); }

    static void SetNumber(const std::string& path, const char* name, DWORD value)
    {
        RegistryKey key;
        ASSERT_EQ(ERROR_SUCCESS, key.Create(HKEY_CURRENT_USER, path, KEY_ALL_ACCESS)) << path;
        ASSERT_EQ(ERROR_SUCCESS, key.WriteNumber(name, value)) << path << " " << name;
    }
    static void SetText(HKEY root, const std::string& path, const char* name, const std::string& text)
    {
        RegistryKey key;
        ASSERT_EQ(ERROR_SUCCESS, key.Create(root, path, KEY_ALL_ACCESS)) << path;
        ASSERT_EQ(ERROR_SUCCESS, key.WriteText(name, text)) << path << " " << name;
    }
    static void SetBinary(const std::string& path, const char* name, const std::vector<BYTE>& bytes)
    {
        RegistryKey key;
        ASSERT_EQ(ERROR_SUCCESS, key.Create(HKEY_CURRENT_USER, path, KEY_ALL_ACCESS)) << path;
        ASSERT_EQ(ERROR_SUCCESS, key.WriteBinary(name, bytes)) << path << " " << name;
    }

    static bool KeyExists(HKEY root, const std::string& path)
    {
        RegistryKey key;
        return key.Open(root, path, KEY_READ) == ERROR_SUCCESS;
    }
    static std::optional<DWORD> Number(const std::string& path, const char* name)
    {
        RegistryKey key;
        DWORD value = 0;
        if (key.Open(HKEY_CURRENT_USER, path, KEY_READ) != ERROR_SUCCESS || key.ReadNumber(name, value) != ERROR_SUCCESS)
            return std::nullopt;
        return value;
    }
    static std::optional<std::string> Text(HKEY root, const std::string& path, const char* name)
    {
        RegistryKey key;
        std::string text;
        if (key.Open(root, path, KEY_READ) != ERROR_SUCCESS || key.ReadText(name, text) != ERROR_SUCCESS)
            return std::nullopt;
        return text;
    }
    static std::optional<std::vector<BYTE>> Binary(const std::string& path, const char* name)
    {
        RegistryKey key;
        std::vector<BYTE> bytes;
        if (key.Open(HKEY_CURRENT_USER, path, KEY_READ) != ERROR_SUCCESS ||
            key.ReadBinary(name, bytes) != ERROR_SUCCESS)
            return std::nullopt;
        return bytes;
    }
    static std::vector<std::string> ValueNames(const std::string& path)
    {
        RegistryKey key;
        std::vector<std::string> names;
        if (key.Open(HKEY_CURRENT_USER, path, KEY_READ) == ERROR_SUCCESS)
            key.ValueNames(names);
        return names;
    }

private:
    std::filesystem::path m_path;
};
