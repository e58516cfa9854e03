#pragma once
// A folder of its own for one test, removed with everything in it at the
// end; it also becomes the registry folder of the process.

#include <cstdlib>
#include <filesystem>
#include <string>

class TempFolder {
public:
    TempFolder()
    {
        std::string pattern = (std::filesystem::temp_directory_path() / "pollenta-win-XXXXXX").string();
        m_path = mkdtemp(pattern.data());
        setenv("POLLENTA_REGISTRY", (m_path / "registry").c_str(), 1);
    }
    ~TempFolder()
    {
        std::error_code ignored;
        std::filesystem::remove_all(m_path, ignored);
    }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    const std::filesystem::path& Path() const { return m_path; }
    std::filesystem::path Registry() const { return m_path / "registry"; }

private:
    std::filesystem::path m_path;
};
