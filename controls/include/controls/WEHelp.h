#pragma once
// The product's help, which lies beside the module that carries these
// functions, opened at a numbered topic.

#include "win/Types.h"

#include <string>

inline constexpr DWORD WE_HELP_TOPIC_ADDIN = 1;
inline constexpr DWORD WE_HELP_TOPIC_WIZARD = 5;

// The module's folder followed by the help file's name (the module's
// string 138); empty when the module's path cannot be read or has no folder
// part.
std::string GetHelpFilePath();
// The same for a module at `modulePath` with the given help file name.
std::string GetHelpFilePathFor(const std::string& modulePath, const std::string& helpFileName);
// FALSE, with nothing shown, when there is no help path; TRUE otherwise,
// whether or not the help could be shown.
BOOL ShowHelpTopic(HWND owner, DWORD topic);
