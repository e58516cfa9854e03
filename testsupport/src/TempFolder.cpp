#include "testsupport/TempFolder.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <stdexcept>
#include <string>

namespace pollenta::testsupport {

TempFolder::TempFolder(std::string_view prefix)
{
    const std::string pattern = (std::filesystem::temp_directory_path() / prefix).string() + "-XXXXXX";
    // mkdtemp fills in the X's even when it fails; the message shows the pattern.
    std::string name = pattern;
    if (!mkdtemp(name.data()))
        throw std::runtime_error("cannot make a test folder " + pattern + ": " + std::strerror(errno));
    m_path = name;
}

TempFolder::~TempFolder()
{
    std::error_code ignored;
    std::filesystem::remove_all(m_path, ignored);
}

std::filesystem::path TempFolder::Write(const std::filesystem::path& relative, std::string_view bytes) const
{
    const std::filesystem::path path = m_path / relative;
    std::filesystem::create_directories(path.parent_path());
    std::ofstream file(path, std::ios::binary);
    if (!file.write(bytes.data(), static_cast<std::streamsize>(bytes.size())) || !file.flush())
        throw std::runtime_error("cannot write the test file " + path.string());
    return path;
}

std::filesystem::path TempFolder::Write(const std::filesystem::path& relative,
                                        std::span<const unsigned char> bytes) const
{
    return Write(relative, std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()));
}

}  // namespace pollenta::testsupport
