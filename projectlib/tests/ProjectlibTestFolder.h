#pragma once
// A folder of its own for one test, removed at the end. It holds the
// process's registry, the data folder of the projects and a stand-in for
// the folder of the library file.

#include "testsupport/TempFolder.h"
#include "testsupport/TempRegistry.h"
#include "win/Registry.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

class ProjectlibTestFolder {
public:
    static constexpr const char* kProductKey = "SOFTWARE\\Velquin Ltd\\Pollenta";

    ProjectlibTestFolder() { std::filesystem::create_directories(ModuleDir()); }

    const std::filesystem::path& Path() const { return m_folder.Path(); }
    std::filesystem::path Registry() const { return m_registry.Path(); }
    std::filesystem::path DataDir() const { return Path() / "data"; }
    std::filesystem::path ModuleDir() const { return Path() / "module"; }

    // The product key with the data folder, as registration leaves it.
    void SeedDataDir() const { SetText(HKEY_CURRENT_USER, kProductKey, "DataDir", DataDir().string()); }

    static std::string ProjectKey(long id) { return std::string(kProductKey) + "\\Projects\\" + std::to_string(id); }

    static void SetText(HKEY root, const std::string& path, const char* name, const std::string& text)
    {
        HKEY key = nullptr;
        ASSERT_EQ(ERROR_SUCCESS,
                  RegCreateKeyEx(root, path.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr));
        EXPECT_EQ(ERROR_SUCCESS, RegSetValueEx(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()),
                                               static_cast<DWORD>(text.size() + 1)));
        RegCloseKey(key);
    }

    static void SetNumber(HKEY root, const std::string& path, const char* name, DWORD value)
    {
        HKEY key = nullptr;
        ASSERT_EQ(ERROR_SUCCESS,
                  RegCreateKeyEx(root, path.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr));
        EXPECT_EQ(ERROR_SUCCESS,
                  RegSetValueEx(key, name, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value), sizeof value));
        RegCloseKey(key);
    }

    static bool KeyExists(HKEY root, const std::string& path)
    {
        HKEY key = nullptr;
        if (RegOpenKeyEx(root, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS)
            return false;
        RegCloseKey(key);
        return true;
    }

    static std::optional<std::string> Text(HKEY root, const std::string& path, const char* name)
    {
        HKEY key = nullptr;
        if (RegOpenKeyEx(root, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS)
            return std::nullopt;
        std::string buffer(40000, '\0');
        DWORD size = static_cast<DWORD>(buffer.size());
        DWORD type = 0;
        LONG error = RegQueryValueEx(key, name, nullptr, &type, reinterpret_cast<BYTE*>(buffer.data()), &size);
        RegCloseKey(key);
        if (error != ERROR_SUCCESS || type != REG_SZ)
            return std::nullopt;
        return std::string(buffer.c_str());
    }

    static std::optional<DWORD> Number(HKEY root, const std::string& path, const char* name)
    {
        HKEY key = nullptr;
        if (RegOpenKeyEx(root, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS)
            return std::nullopt;
        DWORD value = 0;
        DWORD size = sizeof value;
        DWORD type = 0;
        LONG error = RegQueryValueEx(key, name, nullptr, &type, reinterpret_cast<BYTE*>(&value), &size);
        RegCloseKey(key);
        if (error != ERROR_SUCCESS || type != REG_DWORD)
            return std::nullopt;
        return value;
    }

    static std::vector<std::string> Subkeys(HKEY root, const std::string& path)
    {
        std::vector<std::string> names;
        HKEY key = nullptr;
        if (RegOpenKeyEx(root, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS)
            return names;
        char name[400];
        for (DWORD index = 0;; ++index) {
            DWORD size = sizeof name;
            if (RegEnumKeyEx(key, index, name, &size, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS)
                break;
            names.emplace_back(name, size);
        }
        RegCloseKey(key);
        return names;
    }

private:
    pollenta::testsupport::TempFolder m_folder{"pollenta-projectlib"};
    pollenta::testsupport::TempRegistry m_registry{m_folder.Path() / "registry"};
};
