#pragma once
// What the add-in asks about the system and the mail client it runs in.

#include "OutlookApplication.h"

#include <string>

// The file version's most significant part (major in the high 16 bits,
// minor in the low); 0 for a null or empty path or a file without version.
DWORD GetModuleFileVersion(const char* path);
// True for the systems that draw visual themes: version 5.1 and later, but
// not 6.0.
BOOL IsThemedWindowsVersion();
// The file the client's class is registered with
// (HKCR\CLSID\{Outlook.Application}\LocalServer32); "" when any step fails.
std::string GetOutlookExePath();

// Which editor the client writes mail with: the caller sets the starting
// values (the add-in starts with isWord TRUE and format 0); a missing
// preference leaves them.
struct WordMailEditor {
    BOOL isWord = TRUE;
    int format = 0;
};
// S_OK, or E_FAIL when the preference value is there but not a number.
HRESULT IsWordMailEditor(_Application* application, WordMailEditor& answer);
