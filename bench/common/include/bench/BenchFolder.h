#pragma once
// A benchmark's own folder under /tmp, with the registry it uses
// (POLLENTA_REGISTRY), removed with everything in it at the end.

#include <cstdlib>
#include <filesystem>
#include <stdexcept>
#include <string>

namespace bench {

class CBenchFolder {
public:
    explicit CBenchFolder(const std::string& name) : m_path("/tmp/bench-" + name + "-XXXXXX")
    {
        if (!mkdtemp(m_path.data()))
            throw std::runtime_error("cannot make a folder under /tmp");
        setenv("POLLENTA_REGISTRY", (m_path + "/registry").c_str(), 1);
        std::filesystem::create_directories(m_path + "/registry");
    }
    ~CBenchFolder()
    {
        std::error_code ignored;
        std::filesystem::remove_all(m_path, ignored);
    }
    CBenchFolder(const CBenchFolder&) = delete;
    CBenchFolder& operator=(const CBenchFolder&) = delete;

    const std::string& Path() const { return m_path; }

private:
    std::string m_path;
};

}  // namespace bench
