#pragma once
// The distribution lists on the current path of a recipient walk, by entry
// id, so that a list holding itself, directly or through others, is entered
// once. Both sending methods walk with it.

#include <set>
#include <string>

class CWEListPath {
public:
    // False when the list is already on the path.
    bool Enter(const std::string& entryId) { return m_path.insert(entryId).second; }
    void Leave(const std::string& entryId) { m_path.erase(entryId); }

private:
    std::set<std::string> m_path;
};
