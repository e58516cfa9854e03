#include "win/File.h"

#include "CaseFold.h"
#include "FileInfo.h"
#include "HandleTable.h"

#include <algorithm>
#include <cstring>
#include <dirent.h>
#include <vector>

namespace {

// A search in progress: every match, found at the start.
class FindObject : public KernelObject {
public:
    bool IsSignalled() const override { return false; }

    std::vector<WIN32_FIND_DATA> m_found;
    size_t m_next = 0;
};

bool Matches(const std::u32string& name, size_t n, const std::u32string& pattern, size_t p)
{
    while (p < pattern.size()) {
        if (pattern[p] == U'*') {
            while (p < pattern.size() && pattern[p] == U'*')
                ++p;
            if (p == pattern.size())
                return true;
            for (size_t from = n; from <= name.size(); ++from)
                if (Matches(name, from, pattern, p))
                    return true;
            return false;
        }
        if (n == name.size() || (pattern[p] != U'?' && pattern[p] != name[n]))
            return false;
        ++n;
        ++p;
    }
    return n == name.size();
}

bool MatchesPattern(const std::string& name, const std::string& pattern)
{
    if (pattern == "*.*" || pattern == "*")
        return true;
    // File names are case-sensitive here: a plain name finds that file only,
    // or its path would seem to exist when only a differently cased one does.
    if (pattern.find_first_of("*?") == std::string::npos)
        return name == pattern;
    return Matches(CaseFold::FoldText(name), 0, CaseFold::FoldText(pattern), 0);
}

bool ToFindData(const std::string& folder, const std::string& name, WIN32_FIND_DATA& data)
{
    if (name.size() >= MAX_PATH)
        return false;
    WIN32_FILE_ATTRIBUTE_DATA info{};
    if (FileInfo::Read(folder + "/" + name, info) != ERROR_SUCCESS)
        return false;
    data = {};
    data.dwFileAttributes = info.dwFileAttributes;
    data.ftCreationTime = info.ftCreationTime;
    data.ftLastAccessTime = info.ftLastAccessTime;
    data.ftLastWriteTime = info.ftLastWriteTime;
    data.nFileSizeHigh = info.nFileSizeHigh;
    data.nFileSizeLow = info.nFileSizeLow;
    std::memcpy(data.cFileName, name.c_str(), name.size() + 1);
    return true;
}

std::shared_ptr<FindObject> FindSearch(HANDLE handle)
{
    auto search = std::dynamic_pointer_cast<FindObject>(HandleTable::Find(handle));
    if (!search)
        SetLastError(ERROR_INVALID_HANDLE);
    return search;
}

} // namespace

HANDLE FindFirstFile(LPCSTR pattern, LPWIN32_FIND_DATA data)
{
    if (!pattern || !*pattern || !data) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return INVALID_HANDLE_VALUE;
    }
    const std::string path = pattern;
    const size_t slash = path.rfind('/');
    const std::string folder = slash == std::string::npos ? "." : slash == 0 ? "/" : path.substr(0, slash);
    const std::string namePattern = slash == std::string::npos ? path : path.substr(slash + 1);

    DIR* dir = opendir(folder.c_str());
    if (!dir) {
        SetLastError(ERROR_PATH_NOT_FOUND);
        return INVALID_HANDLE_VALUE;
    }
    std::vector<std::string> names;
    while (dirent* entry = readdir(dir))
        if (MatchesPattern(entry->d_name, namePattern))
            names.emplace_back(entry->d_name);
    closedir(dir);
    std::sort(names.begin(), names.end(), [](const std::string& a, const std::string& b) {
        return CaseFold::FoldText(a) < CaseFold::FoldText(b);
    });

    auto search = std::make_shared<FindObject>();
    for (const auto& name : names) {
        WIN32_FIND_DATA found;
        if (ToFindData(folder, name, found))
            search->m_found.push_back(found);
    }
    if (search->m_found.empty()) {
        SetLastError(ERROR_FILE_NOT_FOUND);
        return INVALID_HANDLE_VALUE;
    }
    *data = search->m_found[search->m_next++];
    return HandleTable::Add(search);
}

BOOL FindNextFile(HANDLE find, LPWIN32_FIND_DATA data)
{
    auto search = FindSearch(find);
    if (!search || !data)
        return FALSE;
    if (search->m_next >= search->m_found.size()) {
        SetLastError(ERROR_NO_MORE_FILES);
        return FALSE;
    }
    *data = search->m_found[search->m_next++];
    return TRUE;
}

BOOL FindClose(HANDLE find)
{
    return FindSearch(find) && HandleTable::Close(find) ? TRUE : FALSE;
}
