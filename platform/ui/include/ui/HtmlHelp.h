#pragma once
// Compiled help in place: a help "file" is a folder of HTML pages, and a
// topic's page is "<id>.html" in it. Opening a page goes through the shell,
// so the user's browser shows it and tests can record it.

#include "win/Types.h"

inline constexpr UINT HH_DISPLAY_TOPIC = 0x0000;
inline constexpr UINT HH_HELP_CONTEXT = 0x000F;

// HH_HELP_CONTEXT opens the page of topic `data`; HH_DISPLAY_TOPIC opens the
// folder's "index.html". Answers `caller` when the page was handed to the
// shell (there is no help window of our own), and null when the page does
// not exist, the shell failed or the command is not one of these two.
HWND HtmlHelp(HWND caller, LPCSTR file, UINT command, DWORD_PTR data);
