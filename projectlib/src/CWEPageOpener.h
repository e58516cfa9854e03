#pragma once
// Opens a project's page in the viewer the user chose: the browser
// registered as InternetExplorer.Application's local server, the text
// editor (Notepad), the shell's "edit" verb, the project folder, or the
// desktop's handler for the page. A viewer that cannot be started is told
// in a message box.

#include "win/Types.h"

#include <string>

class CWEPageOpener {
public:
    enum Method : LONG { kBrowser = 2, kNotepad = 3, kEdit = 4, kFolder = 5 };

    // folder is the project folder, without a trailing separator.
    static void Open(LONG method, const std::string& folder);

private:
    static void StartBrowser(const std::string& page);
    static void Start(const std::string& commandLine);
};
