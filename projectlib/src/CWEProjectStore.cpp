#include "CWEProjectStore.h"

#include "AnsiPath.h"
#include "AnsiText.h"
#include "GastrelStrings.h"

#include <chrono>
#include <filesystem>
#include <limits>
#include <random>

namespace fs = std::filesystem;

namespace {

constexpr DWORD kTextBytes = 29999;
constexpr DWORD kNameBytes = 300;
constexpr DWORD kKeyNameChars = 299;
constexpr DWORD kDataDirBytes = 1000;
constexpr LONG kIdsPerCounter = 4096;
constexpr LONG kLargestRandomPart = 4094;

struct TextDefault {
    const char* name;
    UINT stringId;
};

constexpr TextDefault kTextDefaults[] = {
    {"Email", gastrel::IDS_DEFAULT_EMAIL},
    {"SuccessMark", gastrel::IDS_DEFAULT_SUCCESS_MARK},
    {"FailedMark", gastrel::IDS_DEFAULT_FAILED_MARK},
    {"Subject", gastrel::IDS_DEFAULT_SUBJECT},
    {"TextBlock", gastrel::IDS_DEFAULT_TEXT_BLOCK},
};

constexpr TextDefault kNumberDefaults[] = {
    {"NoEmptySections", gastrel::IDS_DEFAULT_NO_EMPTY_SECTIONS},
    {"IsSample", gastrel::IDS_DEFAULT_IS_SAMPLE},
    {"UseSectionBackground", gastrel::IDS_DEFAULT_USE_SECTION_BACKGROUND},
    {"UseTextBlock", gastrel::IDS_DEFAULT_USE_TEXT_BLOCK},
    {"CollectRecipients", gastrel::IDS_DEFAULT_COLLECT_RECIPIENTS},
    {"CollectSenders", gastrel::IDS_DEFAULT_COLLECT_SENDERS},
    {"Viewer", gastrel::IDS_DEFAULT_VIEWER},
    {"FixRatio", gastrel::IDS_DEFAULT_FIX_RATIO},
    {"DefValues", gastrel::IDS_DEFAULT_DEF_VALUES},
};

// Key names of projects are the decimal ids exactly as they were written;
// anything else under "Projects" is not a project.
LONG IdFromKeyName(const std::string& name)
{
    if (name.empty() || name.size() > 10 || name[0] < '1' || name[0] > '9')
        return 0;
    long long id = 0;
    for (char c : name) {
        if (c < '0' || c > '9')
            return 0;
        id = id * 10 + (c - '0');
    }
    return id <= std::numeric_limits<LONG>::max() ? static_cast<LONG>(id) : 0;
}

std::string ProjectsKeyPath() { return std::string(CWEProjectStore::kProductKey) + "\\Projects"; }

std::optional<std::string> ReadDataDir(HKEY root, const std::string& path)
{
    CWERegKey key;
    if (key.Open(root, path) != ERROR_SUCCESS)
        return std::nullopt;
    std::optional<std::string> dir = key.QueryText("DataDir", kDataDirBytes);
    if (!dir || dir->empty())
        return std::nullopt;
    return dir;
}

}  // namespace

CWEProjectStore::CWEProjectStore(std::string moduleDir) : m_moduleDir(std::move(moduleDir)) {}

std::string CWEProjectStore::ProjectKeyPath(LONG id) { return ProjectsKeyPath() + "\\" + std::to_string(id); }

std::string CWEProjectStore::ProjectFolder(const std::string& dataDir, LONG id) const
{
    // ANSI text: the folder's name for the other parts; FileSystemPath
    // turns it into the folder itself.
    return (fs::path(dataDir) / std::to_string(id)).string();
}

std::optional<std::string> CWEProjectStore::GetDataDir() const
{
    if (auto dir = ReadDataDir(HKEY_CURRENT_USER, kProductKey))
        return dir;
    return ReadDataDir(HKEY_USERS, std::string(".DEFAULT\\") + kProductKey);
}

bool CWEProjectStore::CreateDataDir() const
{
    if (GetDataDir())
        return true;
    std::error_code error;
    fs::path dir = fs::path(m_moduleDir) / "Projects";
    if (!fs::create_directory(dir, error))
        dir = m_moduleDir;
    CWERegKey product;
    return product.Create(HKEY_CURRENT_USER, kProductKey) == ERROR_SUCCESS &&
           product.SetText("DataDir", AnsiPath(dir)) == ERROR_SUCCESS;
}

LONG CWEProjectStore::NextProjectId() const
{
    CWERegKey product;
    if (product.Open(HKEY_CURRENT_USER, kProductKey, KEY_ALL_ACCESS) != ERROR_SUCCESS)
        return 0;
    DWORD counter = product.QueryNumber("ProjectsCounter").value_or(0) + 1;
    // Past this count the ids would no longer be positive 32-bit numbers.
    if (counter > static_cast<DWORD>((std::numeric_limits<LONG>::max() - kLargestRandomPart) / kIdsPerCounter))
        return 0;
    if (product.SetNumber("ProjectsCounter", counter) != ERROR_SUCCESS)
        return 0;
    auto ticks = std::chrono::steady_clock::now().time_since_epoch();
    std::minstd_rand random(static_cast<unsigned>(std::chrono::duration_cast<std::chrono::milliseconds>(ticks).count()));
    return static_cast<LONG>(random() % (kLargestRandomPart + 1)) + static_cast<LONG>(counter) * kIdsPerCounter;
}

LONG CWEProjectStore::CreateProject(const std::string& name) const
{
    CWERegKey product;
    if (product.Open(HKEY_CURRENT_USER, kProductKey, KEY_ALL_ACCESS) != ERROR_SUCCESS)
        return 0;
    std::optional<std::string> dataDir = GetDataDir();
    if (!dataDir) {
        dataDir = AnsiPath(m_moduleDir);
        product.SetText("DataDir", *dataDir);
    }
    product.Close();

    LONG id = NextProjectId();
    if (!id)
        return 0;
    // An id whose key exists already belongs to another project: leave it be.
    CWERegKey project;
    bool created = false;
    if (project.Create(HKEY_CURRENT_USER, ProjectKeyPath(id), &created) != ERROR_SUCCESS || !created)
        return 0;
    bool named = project.SetText("ProjectName", name) == ERROR_SUCCESS;
    project.Close();

    std::error_code error;
    fs::create_directory(FileSystemPath(*dataDir), error);
    if (named && fs::create_directory(FileSystemPath(ProjectFolder(*dataDir, id)), error))
        return id;
    RegDeleteTree(HKEY_CURRENT_USER, ProjectKeyPath(id).c_str());
    return 0;
}

void CWEProjectStore::DeleteProject(LONG id) const
{
    if (!IsProjectId(id))
        return;
    RegDeleteTree(HKEY_CURRENT_USER, ProjectKeyPath(id).c_str());
    std::optional<std::string> dataDir = GetDataDir();
    if (!dataDir)
        return;
    // Only the project's own files go; a link in place of the folder is not
    // followed into somebody else's folder, and subfolders stay.
    const fs::path folder = FileSystemPath(ProjectFolder(*dataDir, id));
    std::error_code error;
    if (!fs::is_directory(fs::symlink_status(folder, error)))
        return;
    for (const fs::directory_entry& entry : fs::directory_iterator(folder, error))
        if (!entry.is_directory(error) || entry.is_symlink(error))
            fs::remove(entry.path(), error);
    fs::remove(folder, error);
}

bool CWEProjectStore::ProjectExists(LONG id) const
{
    CWERegKey key;
    return IsProjectId(id) && key.Open(HKEY_CURRENT_USER, ProjectKeyPath(id)) == ERROR_SUCCESS;
}

std::vector<std::pair<LONG, bool>> CWEProjectStore::ProjectsNamed(const std::string& name) const
{
    std::vector<std::pair<LONG, bool>> found;
    CWERegKey projects;
    if (projects.Open(HKEY_CURRENT_USER, ProjectsKeyPath()) != ERROR_SUCCESS)
        return found;
    for (const std::string& keyName : projects.SubkeyNames(kKeyNameChars)) {
        CWERegKey project;
        if (project.Open(projects.Handle(), keyName) != ERROR_SUCCESS)
            continue;
        std::optional<std::string> projectName = project.QueryText("ProjectName", kNameBytes);
        if (projectName && AnsiEqualNoCase(*projectName, name))
            found.emplace_back(IdFromKeyName(keyName), project.QueryNumber("Completed").value_or(0) != 0);
    }
    return found;
}

std::vector<LONG> CWEProjectStore::EnumProjects(LONG type) const
{
    std::vector<LONG> ids;
    CWERegKey projects;
    if (projects.Open(HKEY_CURRENT_USER, ProjectsKeyPath()) != ERROR_SUCCESS)
        return ids;
    for (const std::string& keyName : projects.SubkeyNames(kKeyNameChars)) {
        LONG id = IdFromKeyName(keyName);
        CWERegKey project;
        if (!id || project.Open(projects.Handle(), keyName) != ERROR_SUCCESS)
            continue;
        bool completed = project.QueryNumber("Completed").value_or(0) != 0;
        bool sample = project.QueryNumber("IsSample").value_or(0) != 0;
        bool wanted = type == kCompletedProjects     ? completed
                      : type == kUnfinishedProjects ? !completed
                      : type == kSampleProjects     ? sample
                                                    : true;
        if (wanted)
            ids.push_back(id);
        if (ids.size() == kMaxListedProjects)
            break;
    }
    return ids;
}

std::optional<std::vector<std::string>> CWEProjectStore::EnumProjectDatafields(LONG id) const
{
    CWERegKey project;
    if (!IsProjectId(id) || project.Open(HKEY_CURRENT_USER, ProjectKeyPath(id)) != ERROR_SUCCESS ||
        project.QueryNumber("Completed").value_or(0) == 0)
        return std::nullopt;
    CWERegKey fields;
    if (fields.Open(project.Handle(), "Fields") != ERROR_SUCCESS)
        return std::nullopt;
    return fields.SubkeyNames(kKeyNameChars);
}

std::optional<std::string> CWEProjectStore::GetProjectName(LONG id) const
{
    CWERegKey project;
    if (!IsProjectId(id) || project.Open(HKEY_CURRENT_USER, ProjectKeyPath(id)) != ERROR_SUCCESS)
        return std::nullopt;
    std::optional<std::string> name = project.QueryText("ProjectName", kNameBytes);
    if (!name || name->empty())
        return std::nullopt;
    return name;
}

std::optional<std::string> CWEProjectStore::GetProjectDir(LONG id) const
{
    std::optional<std::string> dataDir = GetDataDir();
    if (!IsProjectId(id) || !dataDir)
        return std::nullopt;
    return ProjectFolder(*dataDir, id);
}

void CWEProjectStore::LoadProjectProperties(LONG id, CWEPropertyList& list, const std::string* only) const
{
    // A caller that wants one property reads one value: the add-in asks for a
    // project's properties one at a time, for every answer it stores.
    auto wanted = [only](const char* name) { return !only || AnsiEqualNoCase(*only, name); };
    if (id == 0) {
        CWERegKey product;
        if (product.Open(HKEY_CURRENT_USER, kProductKey) == ERROR_SUCCESS)
            id = static_cast<LONG>(product.QueryNumber("LastProjectID").value_or(0));
    }
    CWERegKey project;
    if (IsProjectId(id)) {
        const bool opened = project.Open(HKEY_CURRENT_USER, ProjectKeyPath(id)) == ERROR_SUCCESS;
        if (wanted("ProjectName")) {
            std::optional<std::string> name = opened ? project.QueryText("ProjectName", kTextBytes) : std::string();
            if (name)
                list.Set("ProjectName", *name);
        }
        if (wanted("Completed"))
            list.Set("Completed", static_cast<LONG>(project.QueryNumber("Completed").value_or(0)));
    }
    for (const TextDefault& text : kTextDefaults) {
        if (!wanted(text.name))
            continue;
        std::optional<std::string> stored = project.QueryText(text.name, kTextBytes);
        list.Set(text.name, stored ? *stored : gastrel::LoadGastrelString(text.stringId));
    }
    for (const TextDefault& number : kNumberDefaults) {
        if (!wanted(number.name))
            continue;
        std::optional<DWORD> stored = project.QueryNumber(number.name);
        list.Set(number.name, stored ? static_cast<LONG>(*stored)
                                     : static_cast<LONG>(std::atol(gastrel::LoadGastrelString(number.stringId).c_str())));
    }
}

bool CWEProjectStore::WriteProperty(LONG id, const CWEPropertyList::projectProperties& entry) const
{
    CWERegKey project;
    if (!IsProjectId(id) || project.Open(HKEY_CURRENT_USER, ProjectKeyPath(id), KEY_SET_VALUE) != ERROR_SUCCESS)
        return false;
    if (const LONG* number = std::get_if<LONG>(&entry.value))
        return project.SetNumber(entry.name.c_str(), static_cast<DWORD>(*number)) == ERROR_SUCCESS;
    return project.SetText(entry.name.c_str(), std::get<std::string>(entry.value)) == ERROR_SUCCESS;
}

bool CWEProjectStore::SetLastProjectID(LONG id) const
{
    CWERegKey product;
    return product.Open(HKEY_CURRENT_USER, kProductKey, KEY_SET_VALUE) == ERROR_SUCCESS &&
           product.SetNumber("LastProjectID", static_cast<DWORD>(id)) == ERROR_SUCCESS;
}
