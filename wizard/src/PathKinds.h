#pragma once
// What lies at a path: the checks the wizard makes before it reads a page or
// picture, or writes into a project folder.

#include <string>

bool IsExistingFile(const std::string& path);
bool IsExistingFolder(const std::string& path);
