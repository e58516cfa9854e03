#pragma once
// Where the wizard asks for the answer database: the user chooses an
// SQLite file or names a new one, which is created empty. The answer is a
// connection string for our ADO layer, "Provider=SQLite;Data Source=<file>".
// The chooser behind it is the dialog layer's, so a test answers it through
// SetChooserHook like every other chooser.

#include "win/Types.h"

#include <string>

inline constexpr char WE_DATALINK_TITLE[] = "Choose or create the answer database";

// False when the user cancelled or the file cannot be made; `error` then
// says why (empty for a cancel).
bool PromptDataLink(HWND owner, std::string& connectionString, std::string& error);

// The connection string that names the file.
std::string DataLinkFor(const std::string& path);
