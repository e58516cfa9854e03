#pragma once
// The process's registry in a folder of the test. POLLENTA_REGISTRY names
// the folder while the object lives and gets its earlier value back (or is
// unset again) at the end, so one test's registry never leaks into the next:
//
//   pollenta::testsupport::TempRegistry registry;  // in a folder of its own
//
//   pollenta::testsupport::TempFolder folder;       // inside a test's folder
//   pollenta::testsupport::TempRegistry inFolder(folder.Path() / "registry");
//
// Declare the folder before the registry, so that the registry lets go of
// it before it is removed.

#include "testsupport/TempFolder.h"

#include <filesystem>
#include <optional>
#include <string>

namespace pollenta::testsupport {

class TempRegistry {
public:
    TempRegistry();
    // Only named: the registry makes it on its first write, as it does for
    // a new user. It is left in place at the end.
    explicit TempRegistry(std::filesystem::path folder);
    ~TempRegistry();
    TempRegistry(const TempRegistry&) = delete;
    TempRegistry& operator=(const TempRegistry&) = delete;

    const std::filesystem::path& Path() const { return m_path; }

private:
    void Use();

    std::optional<TempFolder> m_ownFolder;
    std::filesystem::path m_path;
    std::optional<std::string> m_previous;
};

}  // namespace pollenta::testsupport
