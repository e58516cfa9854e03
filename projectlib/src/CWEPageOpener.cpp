#include "CWEPageOpener.h"

#include "CWERegKey.h"
#include "GastrelStrings.h"

#include "com/Activation.h"
#include "com/Guid.h"
#include "ui/MessageBox.h"
#include "win/Shell.h"
#include "win/Synch.h"

#include <cstdio>
#include <vector>

using namespace gastrel;

namespace {

// The longest LocalServer32 value read, with its NUL.
constexpr DWORD kMaxServerBytes = 520;

void ShowError(const std::string& text)
{
    MessageBox(nullptr, text.c_str(), LoadGastrelString(IDS_LAUNCH_ERROR_CAPTION).c_str(), MB_OK | MB_ICONERROR);
}

std::string BrowserCommand()
{
    CLSID clsid = GUID_NULL;
    if (FAILED(CLSIDFromProgID(u"InternetExplorer.Application", &clsid)))
        return "";
    CWERegKey server;
    if (server.Open(HKEY_CLASSES_ROOT, "CLSID\\" + pollenta::com::GuidToString(clsid) + "\\LocalServer32") !=
        ERROR_SUCCESS)
        return "";
    return server.QueryText("", kMaxServerBytes).value_or("");
}

}  // namespace

void CWEPageOpener::Open(LONG method, const std::string& folder)
{
    const std::string page = folder + "/index.html";
    switch (method) {
    case kBrowser:
        StartBrowser(page);
        break;
    case kNotepad:
        Start("notepad.exe \"" + page + "\"");
        break;
    case kEdit:
        ShellExecute(nullptr, "edit", page.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
        break;
    case kFolder:
        ShellExecute(nullptr, nullptr, (folder + "/").c_str(), nullptr, nullptr, SW_SHOWNORMAL);
        break;
    default:
        ShellExecute(nullptr, "open", page.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
        break;
    }
}

void CWEPageOpener::StartBrowser(const std::string& page)
{
    const std::string server = BrowserCommand();
    if (server.empty()) {
        ShowError(LoadGastrelString(IDS_NO_BROWSER));
        return;
    }
    // A value in quotes holds the program and perhaps its switches; any
    // other is the program's path alone, blanks and all.
    Start(server.front() == '"' ? server + " \"" + page + "\"" : "\"" + server + "\" \"" + page + "\"");
}

void CWEPageOpener::Start(const std::string& commandLine)
{
    STARTUPINFO startup;
    GetStartupInfo(&startup);
    PROCESS_INFORMATION process{};
    std::vector<char> line(commandLine.begin(), commandLine.end());
    line.push_back('\0');
    if (!CreateProcess(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process)) {
        const std::string format = LoadGastrelString(IDS_CREATE_PROCESS_ERROR);
        char text[300];
        std::snprintf(text, sizeof text, format.c_str(), static_cast<int>(GetLastError()));
        ShowError(text);
        return;
    }
    // Nobody waits for the viewer: the layer reaps it when it ends.
    if (process.hProcess)
        CloseHandle(process.hProcess);
}
