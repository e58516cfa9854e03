#pragma once
// What uninstalling leaves of the log folder: the add-in's own log files
// (the names the log writer gives them) are deleted, then the folder itself
// when nothing else is in it. Other files, subfolders and links stay, and
// no link is followed.

#include <string>

void ClearLogFolder(const std::string& folder);
