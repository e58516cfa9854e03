#pragma once
// The library keeps paths as ANSI text, like the rest of its text, while
// the file system spells names in UTF-8. A path is converted where it
// meets the file system, and a path from the file system (the library's own
// folder) becomes ANSI text before it is kept, so that a folder named with
// letters of a single-byte code page is the folder the other parts find.
//
//   std::fopen(FileSystemPath(folder + "/index.html").c_str(), "wb");

#include <filesystem>
#include <string>

std::filesystem::path FileSystemPath(const std::string& ansi);
std::string AnsiPath(const std::filesystem::path& path);
