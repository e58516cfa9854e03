#pragma once
// A database form as the desktop database program saves it as text:
// UTF-16LE with a byte-order mark, CRLF lines, four blanks per level, a
// checksum, GUID blocks and the form's code behind it. The form binds a
// "Feedback" table; the file goes to forms/<name>.bas beside the database.

#include <filesystem>
#include <string>

// Writes forms/`name`.bas in the folder of `database`; its path.
std::filesystem::path WriteSavedForm(const std::filesystem::path& database, const std::string& name);
