#pragma once
// One file of a project folder that the survey page may refer to: its
// names, its MIME type as the registry knows its extension, and the content
// id the message refers to it by.

#include <string>

class CWEPageFile {
public:
    // Fills every field from the name and the full path; the content id is
    // new for every call.
    void Set(const std::string& name, const std::string& path);

    std::string m_strName;
    std::string m_strLowerName;
    std::string m_strPath;
    std::string m_strExtension;
    std::string m_strMimeType;
    std::string m_strContentId;
    bool m_bUnreferenced = false;
};

// The text (ANSI code page) lower-cased character by character.
std::string LowerText(const std::string& text);
