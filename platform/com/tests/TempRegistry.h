#pragma once
// Gives the test its own registry folder, removed afterwards.

#include <cstdlib>
#include <filesystem>
#include <string>

class TempRegistry {
public:
    TempRegistry()
    {
        std::string pattern = (std::filesystem::temp_directory_path() / "com-test-XXXXXX").string();
        m_dir = mkdtemp(pattern.data());
        setenv("POLLENTA_REGISTRY", m_dir.c_str(), 1);
    }
    ~TempRegistry()
    {
        std::error_code ignored;
        std::filesystem::remove_all(m_dir, ignored);
    }
    const std::string& Dir() const { return m_dir; }

private:
    std::string m_dir;
};
