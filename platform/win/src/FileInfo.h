#pragma once
// What Windows reports about a file: attributes, times and size.

#include "win/File.h"

#include <string>

class FileInfo {
public:
    // Returns ERROR_SUCCESS or the Win32 error for the path.
    static DWORD Read(const std::string& path, WIN32_FILE_ATTRIBUTE_DATA& data);
};
