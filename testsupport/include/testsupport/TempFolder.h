#pragma once
// A folder of its own for one test, removed with everything in it at the end:
//
//   pollenta::testsupport::TempFolder folder("pollenta-mapi");
//   folder.Write("drop/first.eml", "From: a@example.com\r\n\r\nHello\r\n");
//   Deliver(folder.Path() / "drop");
//
// The folder is made in the system's temporary folder ($TMPDIR, else /tmp).
// When it cannot be made, or a file cannot be written, std::runtime_error
// says which path and why, and the test that asked fails. Removal never
// throws: what cannot be removed stays behind.

#include <filesystem>
#include <span>
#include <string_view>

namespace pollenta::testsupport {

class TempFolder {
public:
    explicit TempFolder(std::string_view prefix = "pollenta-test");
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    const std::filesystem::path& Path() const { return m_path; }

    // Writes a file below the folder, making the folders on its way; its full path.
    std::filesystem::path Write(const std::filesystem::path& relative, std::string_view bytes) const;
    std::filesystem::path Write(const std::filesystem::path& relative, std::span<const unsigned char> bytes) const;

private:
    std::filesystem::path m_path;
};

}  // namespace pollenta::testsupport
