#pragma once
// The survey projects of the current user: one numbered registry key of
// settings per project under the product key, and one folder per project
// under the data folder. Ids are positive; every member treats an id of 0
// or below as "no project".

#include "CWEPropertyList.h"
#include "CWERegKey.h"

#include <optional>
#include <string>
#include <vector>

class CWEProjectStore {
public:
    static constexpr const char* kProductKey = "SOFTWARE\\Velquin Ltd\\Pollenta";

    // Which projects EnumProjects lists.
    static constexpr LONG kCompletedProjects = 1;
    static constexpr LONG kUnfinishedProjects = 2;
    static constexpr LONG kSampleProjects = 3;
    static constexpr size_t kMaxListedProjects = 2999;

    // moduleDir is the folder of the library file as the file system names
    // it, the data folder of last resort.
    explicit CWEProjectStore(std::string moduleDir);

    std::optional<std::string> GetDataDir() const;
    // Gives the data folder a home on first registration: "Projects" beside
    // the library when that folder can be made, else the library's folder.
    bool CreateDataDir() const;

    // A new, unfinished project with its key and folder. Returns 0 when the
    // store cannot take one; nothing is left behind then.
    LONG CreateProject(const std::string& name) const;
    // Removes the project's keys and the files of its folder.
    void DeleteProject(LONG id) const;

    bool ProjectExists(LONG id) const;
    // Ids of the projects whose name equals name without regard to case, in
    // enumeration order, with whether each is completed.
    std::vector<std::pair<LONG, bool>> ProjectsNamed(const std::string& name) const;
    std::vector<LONG> EnumProjects(LONG type) const;
    std::optional<std::vector<std::string>> EnumProjectDatafields(LONG id) const;
    std::optional<std::string> GetProjectName(LONG id) const;
    std::optional<std::string> GetProjectDir(LONG id) const;

    // Fills list from the project's key, with defaults for what it lacks;
    // id 0 means the project finalized last. With only, just the property of
    // that name (in any case).
    void LoadProjectProperties(LONG id, CWEPropertyList& list, const std::string* only = nullptr) const;
    // Writes one setting into an existing project key; a vanished key is
    // not made again.
    bool WriteProperty(LONG id, const CWEPropertyList::projectProperties& entry) const;
    bool SetLastProjectID(LONG id) const;

    static std::string ProjectKeyPath(LONG id);

private:
    static bool IsProjectId(LONG id) { return id > 0; }
    LONG NextProjectId() const;
    std::string ProjectFolder(const std::string& dataDir, LONG id) const;

    std::string m_moduleDir;
};
