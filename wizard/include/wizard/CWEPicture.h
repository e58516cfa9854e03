#pragma once
// One picture file a page refers to: where it is and where its copy goes.

#include <cstdint>
#include <string>

class CWEPicture {
public:
    // The key is the checksum of the path; file names are case-sensitive
    // here, so the path is taken as written.
    explicit CWEPicture(const std::string& sourcePath);

    // The text after the last "/"; "" for an empty path. A path without
    // "/" is an internal error.
    static std::string GetFileName(const std::string& path);

    std::uint64_t m_nKey;
    std::string m_strSource;
    std::string m_strDestination;
    // What the page's references to this picture became.
    std::string m_strReference;
};
