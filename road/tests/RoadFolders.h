#pragma once
// Where one run of the road keeps everything, in a temporary folder: the
// registry (POLLENTA_REGISTRY) and the user's XDG folders point into it
// while the object lives, so the road never touches the user's own.

#include "ScopedVariable.h"

#include "testsupport/TempFolder.h"
#include "testsupport/TempRegistry.h"

#include <filesystem>
#include <string>

class RoadFolders {
public:
    static constexpr const char* kProfile = "Survey";

    RoadFolders() = default;

    const std::filesystem::path& Root() const { return m_folder.Path(); }
    std::filesystem::path Projects() const { return Root() / "projects"; }
    std::filesystem::path Logs() const { return Root() / "logs"; }
    std::filesystem::path Profile() const { return Root() / "data" / "pollenta" / "profiles" / kProfile; }
    std::filesystem::path Outgoing() const { return Profile() / "outgoing"; }
    std::filesystem::path AddressBook() const { return Profile() / "addressbook.db"; }
    std::filesystem::path Runs() const { return Root() / "runs"; }
    std::filesystem::path Answers() const { return Root() / "answers"; }

private:
    pollenta::testsupport::TempFolder m_folder{"pollenta-road"};
    pollenta::testsupport::TempRegistry m_registry{m_folder.Path() / "registry"};
    ScopedVariable m_data{"XDG_DATA_HOME", (m_folder.Path() / "data").string()};
    ScopedVariable m_config{"XDG_CONFIG_HOME", (m_folder.Path() / "config").string()};
};
